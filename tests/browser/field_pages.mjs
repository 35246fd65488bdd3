// The field's pages in a real browser: Debian's Chromium, driven by
// playwright-core (which downloads no browser), opens the phone's page at
// 390×844 and the big screen's at 1920×1080 from `Orlo_Score --serve` on
// loopback; a flight recorded by a second process, while a third holds the
// journal open as a scoring window does, shows on both without a reload, a
// correction that voids it takes it away, and a hostile name stays text.
//
//   node field_pages.mjs ORLO_SCORE RECORD_FLIGHT [SCREENSHOT_FOLDER]
//
// Exits 0 when every check holds, 1 when one fails, 77 when Chromium or
// playwright-core is missing. The only limit in time is a hang watchdog.
import { spawn, execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const [program, recorder, screenshots] = process.argv.slice(2);
const chromiumPath = '/usr/bin/chromium';
if (!program || !recorder) {
    console.error('usage: node field_pages.mjs ORLO_SCORE RECORD_FLIGHT [SCREENSHOT_FOLDER]');
    process.exit(2);
}
let chromium;
try {
    ({ chromium } = await import('playwright-core'));
} catch {
    console.log('SKIP: playwright-core is not installed (npm ci in tests/browser)');
    process.exit(77);
}
if (!existsSync(chromiumPath)) {
    console.log('SKIP: Debian\'s chromium is not installed');
    process.exit(77);
}

const folder = mkdtempSync(join(tmpdir(), 'orlo-browser-'));
const journal = join(folder, 'journal.sqlite');
const hostile = '</script><img src=x onerror="window.pwned=1">';
let server = null;
let holder = null;
let browser = null;

const watchdog = setTimeout(() => {
    console.error('FAIL: nothing happened for two minutes');
    finish(1);
}, 120000);

function record(name, caption, score) {
    return execFileSync(recorder, [journal, name, caption, score], { encoding: 'utf8' }).trim();
}

function check(holds, saying) {
    if (!holds)
        throw new Error(saying);
    console.log(`ok: ${saying}`);
}

async function finish(status) {
    clearTimeout(watchdog);
    if (browser)
        await browser.close().catch(() => {});
    if (holder && holder.exitCode === null) {
        holder.stdin.end();
        await new Promise((resolve) => holder.once('exit', resolve));
    }
    if (server && server.exitCode === null) {
        server.kill('SIGTERM');
        await new Promise((resolve) => server.once('exit', resolve));
    }
    rmSync(folder, { recursive: true, force: true });
    process.exit(status);
}

// The address Orlo_Score says it serves at.
function serve() {
    return new Promise((resolve, reject) => {
        server = spawn(program, ['--journal', journal, '--serve', '127.0.0.1:0'], { stdio: ['ignore', 'pipe', 'pipe'] });
        let said = '';
        server.stdout.on('data', (chunk) => {
            said += chunk;
            const found = said.match(/http:\/\/127\.0\.0\.1:\d+\//);
            if (found)
                resolve(found[0]);
        });
        server.stderr.on('data', (chunk) => process.stderr.write(chunk));
        server.once('exit', (code) => reject(new Error(`Orlo_Score ended with ${code} before serving`)));
    });
}

async function main() {
    record('Ann Lee', 'Class I', '371.7');
    record(hostile, 'Class I', '300.0');
    for (let pilot = 1; pilot <= 8; ++pilot)
        record(`Pilot ${pilot}`, pilot % 2 ? 'Class I' : 'Profile', `${200 + pilot}.5`);
    // A scoring window has the journal open for recording, as on the field.
    holder = spawn(recorder, [journal, '--hold'], { stdio: ['pipe', 'pipe', 'inherit'] });
    await new Promise((resolve) => holder.stdout.once('data', resolve));
    const address = await serve();
    browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
    const phone = await browser.newPage({ viewport: { width: 390, height: 844 } });
    const tv = await browser.newPage({ viewport: { width: 1920, height: 1080 } });
    await phone.goto(address);
    await tv.goto(address + 'tv');

    // The hostile name is shown as the text it is, and nothing of it runs.
    const phoneText = await phone.locator('#live').innerText();
    check(phoneText.includes(hostile), 'the hostile name shows as text on the phone');
    check((await phone.evaluate(() => window.pwned)) === undefined, 'nothing of the hostile name ran on the phone');
    check((await phone.locator('#live img').count()) === 0, 'no image made of the hostile name');
    check((await tv.evaluate(() => window.pwned)) === undefined, 'nothing of the hostile name ran on the big screen');
    const tvSize = await tv.evaluate(() => parseFloat(getComputedStyle(document.querySelector('#live td')).fontSize));
    check(tvSize >= 40, `the big screen's type is ${tvSize} px`);
    const phoneWide = await phone.evaluate(() => document.documentElement.scrollWidth);
    check(phoneWide <= 390, `the phone's page fits 390 px (${phoneWide})`);
    await phone.setViewportSize({ width: 360, height: 844 });
    const narrowWide = await phone.evaluate(() => document.documentElement.scrollWidth);
    check(narrowWide <= 360, `the phone's page fits 360 px (${narrowWide})`);
    await phone.setViewportSize({ width: 390, height: 844 });

    // A flight recorded by another program shows on both, without a reload, the phone's scroll kept.
    await phone.evaluate(() => { window.notReloaded = true; window.scrollTo(0, 300); });
    const before = await phone.evaluate(() => window.scrollY);
    const recordedAt = Date.now();
    const flight = record('Cy New', 'Class I', '399.9');
    await Promise.all([
        phone.waitForFunction(() => document.getElementById('live').innerText.includes('Cy New'), null, { timeout: 20000 }),
        tv.waitForFunction(() => document.getElementById('live').innerHTML.includes('Cy New'), null, { timeout: 20000 }),
    ]);
    console.log(`the flight showed on both pages ${Date.now() - recordedAt} ms after it was recorded`);
    check(await phone.evaluate(() => window.notReloaded === true), 'the phone\'s page was not reloaded');
    check((await phone.evaluate(() => window.scrollY)) === before, `the phone's scroll kept at ${before}`);
    await tv.waitForFunction(() => !document.getElementById('banner').hidden, null, { timeout: 20000 });
    const banner = await tv.locator('#banner').innerText();
    check(banner === 'Just flown: Cy New, Class I, 399.9, now 1st', `the big screen's banner: ${banner}`);
    if (screenshots) {
        await phone.evaluate(() => window.scrollTo(0, 0));
        await phone.screenshot({ path: join(screenshots, 'field_phone.png') });
        await tv.screenshot({ path: join(screenshots, 'field_tv.png') });
    }

    // The director's correction voids it: it goes from both.
    execFileSync(recorder, [journal, '--void', flight]);
    await Promise.all([
        phone.waitForFunction(() => !document.getElementById('live').innerText.includes('Cy New'), null, { timeout: 20000 }),
        tv.waitForFunction(() => !document.getElementById('live').innerHTML.includes('Cy New'), null, { timeout: 20000 }),
    ]);
    check(true, 'the voided flight went from both pages');
    check(await tv.locator('#banner').isHidden(), 'the banner of the voided flight went with it');
}

try {
    await main();
    await finish(0);
} catch (failure) {
    console.error(`FAIL: ${failure.message}`);
    await finish(1);
}
