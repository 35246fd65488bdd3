#!/usr/bin/env bash
# Checks what a user gets: either the tree that `cmake --install` puts into a
# prefix, or the Debian package that CPack builds, unpacked into a fresh root.
#   check_installed.sh install|deb BUILD_DIR WORK_DIR VERSION
# VERSION is the version the build shows ("1.00"), which the package carries.
# Prints every fault it finds and fails if there was one.
set -uo pipefail

kind=$1
build=$2
work=$3
shown_version=$4
app_id=org.orloscore.OrloScore
faults=0

fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}

rm -rf "$work"
mkdir -p "$work"
root=$work/root

case $kind in
install)
    if ! cmake --install "$build" --prefix "$root/usr" >"$work/install.log" 2>&1; then
        cat "$work/install.log"
        echo "FAULT: cmake --install failed"
        exit 1
    fi
    ;;
deb)
    if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1; then
        cat "$work/cpack.log"
        echo "FAULT: cpack failed"
        exit 1
    fi
    mapfile -t debs < <(find "$work/cpack" -maxdepth 1 -name '*.deb')
    if [ "${#debs[@]}" -ne 1 ]; then
        echo "FAULT: expected one .deb, found ${#debs[@]}"
        exit 1
    fi
    deb=${debs[0]}
    echo "package: $(basename "$deb")"
    dpkg-deb -x "$deb" "$root" || { echo "FAULT: dpkg-deb -x failed"; exit 1; }
    ;;
*)
    echo "usage: $0 install|deb BUILD_DIR WORK_DIR" >&2
    exit 2
    ;;
esac

# Width and height of a PNG, from its header chunk.
png_size() {
    local bytes
    read -r -a bytes < <(od -An -tu1 -j16 -N8 "$1")
    [ "${#bytes[@]}" -eq 8 ] || return 1
    echo "$(( (bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3] ))x$(( (bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7] ))"
}

# The executable.
binary=$root/usr/bin/Orlo_Score
if [ ! -x "$binary" ]; then
    fault "usr/bin/Orlo_Score is missing or not executable"
elif [ "$(head -c4 "$binary" | od -An -c | tr -d ' ')" != '177ELF' ]; then
    fault "usr/bin/Orlo_Score is not an ELF executable"
elif readelf -d "$binary" | grep -Eq '\((RPATH|RUNPATH)\)'; then
    # Its libraries are the system's: a search path of its own only sends
    # the loader through other folders first.
    fault "usr/bin/Orlo_Score carries a library search path: $(readelf -d "$binary" | grep -E 'R(UN)?PATH')"
fi

# The program's modules, loaded at the first workbook or print: installed,
# and what they bring kept out of the program itself, which a flight loads.
modules=()
for module in orlo_xlsx orlo_print orlo_field; do
    if [ -f "$root/usr/libexec/orlo-score/$module.so" ]; then
        modules+=("$root/usr/libexec/orlo-score/$module.so")
    else
        fault "usr/libexec/orlo-score/$module.so is missing"
    fi
done
if [ -x "$binary" ]; then
    for library in libxlsxwriter libQt6PrintSupport libQt6Network libqrencode; do
        readelf -d "$binary" | grep -q "(NEEDED).*\[$library\." &&
            fault "usr/bin/Orlo_Score links $library at start, which its modules are for"
    done
    # The installed program writes a workbook through the installed module.
    cp "$(dirname "$0")/../tests/journal/fixtures/journal_before_entries.sqlite" "$work/journal.sqlite"
    if ! LD_DEBUG=files "$binary" --journal "$work/journal.sqlite" --export-journal "$work/flights.xlsx" \
        >"$work/xlsx.log" 2>&1; then
        cat "$work/xlsx.log"
        fault "the installed program writes no workbook"
    elif ! grep -q "file=$root/usr/libexec/orlo-score/orlo_xlsx.so " "$work/xlsx.log"; then
        fault "the installed program loads no installed orlo_xlsx.so: $(grep -o 'file=[^ ]*orlo_xlsx.so' "$work/xlsx.log" | head -1)"
    fi
fi

# The menu entry: valid, and pointing at the executable and icon installed beside it.
desktop=$root/usr/share/applications/$app_id.desktop
icon_name=
if [ ! -f "$desktop" ]; then
    fault "usr/share/applications/$app_id.desktop is missing"
else
    desktop-file-validate "$desktop" || fault "the desktop entry does not validate"
    # The entry and each of its actions (the flight journal) start the program installed.
    while read -r exec_line; do
        exec_program=${exec_line%% *}
        [ -x "$root/usr/bin/$exec_program" ] || fault "the desktop entry starts '$exec_program', which is not in usr/bin"
    done < <(sed -n 's/^Exec=//p' "$desktop")
    grep -qx 'Exec=Orlo_Score --journal-window' "$desktop" || fault "the desktop entry has no action opening the flight journal"
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -n "$icon_name" ] || fault "the desktop entry names no icon"
fi

# The software-centre entry: valid, and launching the menu entry above.
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
if [ ! -f "$metainfo" ]; then
    fault "usr/share/metainfo/$app_id.metainfo.xml is missing"
else
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
        { cat "$work/appstream.log"; fault "the metainfo does not validate"; }
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fault "the metainfo does not launch $app_id.desktop"
    grep -q '<screenshot' "$metainfo" || fault "the metainfo has no screenshot"
    grep -q '<description>' "$metainfo" || fault "the metainfo has no description"
fi

# The stopwatch in the hicolor theme: scalable, and bitmaps of the sizes their folders promise.
icons=$root/usr/share/icons/hicolor
if [ -n "$icon_name" ]; then
    svg=$icons/scalable/apps/$icon_name.svg
    if [ ! -f "$svg" ]; then
        fault "no scalable icon $icon_name.svg"
    elif ! grep -q '<svg' "$svg"; then
        fault "$icon_name.svg is not an SVG image"
    fi
    for size in 32 256; do
        [ -f "$icons/${size}x$size/apps/$icon_name.png" ] || fault "no ${size}x$size icon $icon_name.png"
    done
    while IFS= read -r png; do
        folder=$(basename "$(dirname "$(dirname "$png")")")
        actual=$(png_size "$png") || actual=unreadable
        [ "$actual" = "$folder" ] || fault "${png#"$root"/} is $actual pixels, not $folder"
    done < <(find "$icons" -name '*.png')
fi

# Every long option the program names in its help, from its own lines and
# from the other options' descriptions alike.
options=()
if [ -x "$binary" ]; then
    mapfile -t options < <("$binary" --help | grep -oE -- '--[A-Za-z0-9][-A-Za-z0-9]*' | sort -u)
    [ "${#options[@]}" -gt 0 ] || fault "Orlo_Score --help names no option"
fi

# The manual page: readable by man without a complaint, and naming every option.
manual=$root/usr/share/man/man1/Orlo_Score.1.gz
if [ ! -f "$manual" ]; then
    fault "usr/share/man/man1/Orlo_Score.1.gz is missing"
else
    complaints=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>&1 >/dev/null)
    [ -z "$complaints" ] || fault "man complains of the manual page: $complaints"
    page=$(zcat "$manual" | sed 's/\\-/-/g')
    for option in "${options[@]}"; do
        grep -qE -- "$option([^-A-Za-z0-9]|$)" <<<"$page" || fault "the manual page lacks $option"
    done
    # The default journal is named as the reader's own, not the builder's.
    grep -qE '(/root|/home/)' <<<"$page" && fault "the manual page names the builder's home: $(grep -E '(/root|/home/)' <<<"$page")"
fi

# What bash completes after the words given, the last one being completed.
completions() {
    (cd "$work" && bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        shift
        COMP_WORDS=("$@")
        COMP_CWORD=$(($# - 1))
        COMP_LINE="$*"
        COMP_POINT=${#COMP_LINE}
        _Orlo_Score Orlo_Score "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' completion "$completion" "$@")
}

# The bash completion: every option, and file names for the journal.
completion=$root/usr/share/bash-completion/completions/Orlo_Score
if [ ! -f "$completion" ]; then
    fault "usr/share/bash-completion/completions/Orlo_Score is missing"
elif ! bash -n "$completion"; then
    fault "the bash completion is not valid bash"
else
    offered=$(completions Orlo_Score --)
    for option in "${options[@]}"; do
        grep -qx -- "$option" <<<"$offered" || fault "the bash completion does not offer $option"
    done
    touch "$work/contest.sqlite"
    [ "$(completions Orlo_Score --journal cont)" = contest.sqlite ] ||
        fault "the bash completion offers no file name after --journal: $(completions Orlo_Score --journal cont)"
fi

# The copyright file, and the changelog, whose newest entry is this version.
doc=$root/usr/share/doc/orlo-score
[ -f "$doc/copyright" ] || fault "usr/share/doc/orlo-score/copyright is missing"
if [ ! -f "$doc/changelog.gz" ]; then
    fault "usr/share/doc/orlo-score/changelog.gz is missing"
elif [ -x "$binary" ]; then
    newest=$(zcat "$doc/changelog.gz" | sed -n '1s/^orlo-score (\([^)]*\)).*/\1/p')
    version=$("$binary" --version | awk '{ print $2 }')
    [ "$newest" = "$version" ] || fault "the changelog's newest entry is '$newest', the program's version $version"
fi

# The user's manual, and every picture it links beside it.
manual=$doc/manual.md
pictures=()
if [ ! -f "$manual" ]; then
    fault "usr/share/doc/orlo-score/manual.md is missing"
else
    grep -q "^# Orlo Score: the user's manual" "$manual" || fault "manual.md is not the user's manual"
    mapfile -t pictures < <(grep -o '!\[[^]]*\]([^)]*)' "$manual" | sed 's/.*(\(.*\))/\1/')
    [ "${#pictures[@]}" -gt 0 ] || fault "the manual links no picture"
    for picture in "${pictures[@]}"; do
        [ -f "$doc/$picture" ] || fault "the manual shows $picture, which is not installed beside it"
    done
fi
declare -A linked=()
for picture in "${pictures[@]}"; do linked[usr/share/doc/orlo-score/$picture]=1; done

# Nothing beyond the program, its entries, its icons and its documentation.
while IFS= read -r file; do
    case ${file#"$root"/} in
    usr/bin/Orlo_Score | usr/share/applications/"$app_id".desktop | \
        usr/share/metainfo/"$app_id".metainfo.xml | usr/share/icons/hicolor/*/apps/"$icon_name".* | \
        usr/share/man/man1/Orlo_Score.1.gz | usr/share/bash-completion/completions/Orlo_Score | \
        usr/share/doc/orlo-score/copyright | usr/share/doc/orlo-score/changelog.gz | \
        usr/share/doc/orlo-score/manual.md | \
        usr/libexec/orlo-score/orlo_xlsx.so | usr/libexec/orlo-score/orlo_print.so | \
        usr/libexec/orlo-score/orlo_field.so) ;;
    *) [ -n "${linked[${file#"$root"/}]:-}" ] || fault "unexpected file ${file#"$root"/}" ;;
    esac
done < <(find "$root" -type f -o -type l)

# The package's control fields, and a dependency for every library the program links.
if [ "$kind" = deb ]; then
    field() { dpkg-deb -f "$deb" "$1"; }
    [ "$(field Package)" = orlo-score ] || fault "Package is '$(field Package)'"
    [ "$(field Version)" = "$shown_version" ] || fault "Version is '$(field Version)', not $shown_version"
    [ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fault "Architecture is '$(field Architecture)'"
    [ -n "$(field Maintainer)" ] || fault "no Maintainer"
    [ -n "$(field Description)" ] || fault "no Description"

    depends=$(field Depends)
    echo "Depends: $depends"
    declare -A depended=()
    IFS=',' read -r -a entries <<<"$depends"
    for entry in "${entries[@]}"; do
        entry=${entry#"${entry%%[![:space:]]*}"}
        depended[${entry%% *}]=1
    done
    for package in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins fonts-wine; do
        [ -n "${depended[$package]:-}" ] || fault "Depends lacks $package"
    done
    if [ -x "$binary" ]; then
        # The libraries it and its modules link, and those it loads itself at run time
        # (SQLite, at the journal's first use), which dpkg-shlibdeps cannot see.
        while IFS= read -r library; do
            # A library may come from several packages (libc6 and libc6-i386): one is enough.
            mapfile -t owners < <(dpkg -S "$library" 2>/dev/null | awk -v lib="$library" -F': ' \
                '{ n = split($2, p, "/"); if (p[n] == lib) { sub(/:.*/, "", $1); print $1 } }' | sort -u)
            found=
            for owner in "${owners[@]}"; do
                [ -n "${depended[$owner]:-}" ] && found=$owner
            done
            if [ "${#owners[@]}" -eq 0 ]; then
                fault "no installed package provides $library"
            elif [ -z "$found" ]; then
                fault "the program needs $library from ${owners[*]}, which Depends lacks"
            fi
        done < <(readelf -d "$binary" "${modules[@]}" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort -u
                 echo libsqlite3.so.0)
    fi
fi

# Debian's own checks, as a packager runs them before an upload: neither an
# error nor a warning.
if [ "$kind" = deb ]; then
    if ! lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
        cat "$work/lintian.log"
        fault "lintian finds errors or warnings in the package"
    fi
fi

if [ "$faults" -gt 0 ]; then
    echo "$faults fault(s) in the $kind tree"
    exit 1
fi
echo "the $kind tree holds the program, its menu entry, its metainfo, its icons, its manual page, its completion and its documentation"
