#include "series_contestants.h"

#include "contestant_names.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace orlo::contest {

namespace {

// The words of a searched name, a full stop after an initial dropped.
std::vector<std::string> wordsOf(const std::string &searched)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at <= searched.size()) {
        std::size_t end = searched.find(' ', at);
        if (end == std::string::npos)
            end = searched.size();
        std::string word = searched.substr(at, end - at);
        while (!word.empty() && word.back() == '.')
            word.pop_back();
        if (!word.empty())
            words.push_back(std::move(word));
        at = end + 1;
    }
    return words;
}

// "b okafor" and "bola okafor": the same last name, and each other word the
// same or one of them the other's initial.
bool initialMatches(const std::vector<std::string> &a, const std::vector<std::string> &b)
{
    if (a.size() != b.size() || a.size() < 2 || a == b || a.back() != b.back())
        return false;
    for (std::size_t word = 0; word + 1 < a.size(); ++word) {
        const std::string &x = a[word], &y = b[word];
        if (x == y)
            continue;
        const bool initial = (x.size() == 1 && y.front() == x.front()) || (y.size() == 1 && x.front() == y.front());
        if (!initial)
            return false;
    }
    return true;
}

} // namespace

void SeriesContestants::add(const std::string &name, const std::string &number)
{
    const std::string tidy = tidyName(name);
    const std::string tidyNumber = tidyName(number);
    auto [at, added] = m_spellingOf.try_emplace({tidy, tidyNumber}, m_spellings.size());
    if (added)
        m_spellings.push_back({tidy, tidyNumber, comparedName(tidy), searchedName(tidy), 0});
    m_spellings[at->second].lastSeen = m_added++;
}

std::size_t SeriesContestants::rootOf(std::size_t spelling)
{
    while (m_parent[spelling] != spelling)
        spelling = m_parent[spelling] = m_parent[m_parent[spelling]];
    return spelling;
}

// Two contestants with different numbers stay two unless the director joins them.
bool SeriesContestants::unite(std::size_t a, std::size_t b, bool whateverNumbers)
{
    a = rootOf(a);
    b = rootOf(b);
    if (a == b)
        return true;
    if (!whateverNumbers && !m_rootNumber[a].empty() && !m_rootNumber[b].empty() && m_rootNumber[a] != m_rootNumber[b])
        return false;
    if (b < a)
        std::swap(a, b);
    m_parent[b] = a;
    if (m_rootNumber[a].empty())
        m_rootNumber[a] = m_rootNumber[b];
    return true;
}

void SeriesContestants::match(const std::vector<NameChoice> &choices)
{
    const std::size_t count = m_spellings.size();
    m_parent.resize(count);
    m_rootNumber.resize(count);
    for (std::size_t s = 0; s < count; ++s) {
        m_parent[s] = s;
        m_rootNumber[s] = m_spellings[s].number;
    }
    std::map<std::string, std::size_t> byNumber, byName;
    for (std::size_t s = 0; s < count; ++s)
        if (!m_spellings[s].number.empty())
            if (auto [at, added] = byNumber.try_emplace(m_spellings[s].number, s); !added)
                unite(at->second, s, true);
    std::map<std::string, std::vector<std::size_t>> sameName;
    for (std::size_t s = 0; s < count; ++s)
        sameName[m_spellings[s].compared].push_back(s);
    for (const auto &[compared, spellings] : sameName)
        for (std::size_t other : spellings)
            unite(spellings.front(), other, false);

    // Near names, among the spellings of one last name.
    std::map<std::string, std::vector<std::size_t>> byLastName;
    std::vector<std::vector<std::string>> words(count);
    for (std::size_t s = 0; s < count; ++s) {
        words[s] = wordsOf(m_spellings[s].searched);
        byLastName[words[s].empty() ? std::string() : words[s].back()].push_back(s);
    }
    struct Near {
        std::size_t a, b;
        NearKind kind;
    };
    std::vector<Near> near;
    std::set<std::pair<std::size_t, std::size_t>> asked;
    for (const auto &[last, spellings] : byLastName)
        for (std::size_t i = 0; i < spellings.size(); ++i)
            for (std::size_t j = i + 1; j < spellings.size(); ++j) {
                const std::size_t a = spellings[i], b = spellings[j];
                const std::size_t ra = rootOf(a), rb = rootOf(b);
                // Two numbers tell two contestants apart whatever their names.
                const bool numbered = !m_rootNumber[ra].empty() && !m_rootNumber[rb].empty();
                if (ra == rb || (numbered && m_rootNumber[ra] != m_rootNumber[rb])
                    || !asked.insert({std::min(ra, rb), std::max(ra, rb)}).second)
                    continue;
                if (m_spellings[a].searched == m_spellings[b].searched)
                    near.push_back({a, b, NearKind::Accents});
                else if (initialMatches(words[a], words[b]))
                    near.push_back({a, b, NearKind::Initial});
                else
                    asked.erase({std::min(ra, rb), std::max(ra, rb)});
            }
    std::sort(near.begin(), near.end(), [](const Near &x, const Near &y) { return std::tie(x.a, x.b) < std::tie(y.a, y.b); });
    m_nearNames.clear();
    for (const Near &pair : near) {
        const Spelling &a = m_spellings[pair.a], &b = m_spellings[pair.b];
        NearName said{a.name, b.name, pair.kind, false, false};
        for (const NameChoice &choice : choices) {
            const std::string first = comparedName(choice.first), second = comparedName(choice.second);
            if ((first == a.compared && second == b.compared) || (first == b.compared && second == a.compared)) {
                said.joined = choice.joined;
                said.chosen = true;
            }
        }
        // Names that differ in accents alone are one contestant's unless their numbers say otherwise.
        if (said.chosen ? said.joined : pair.kind == NearKind::Accents)
            said.joined = unite(pair.a, pair.b, said.chosen);
        m_nearNames.push_back(std::move(said));
    }

    // Contestants numbered in the order first added; each shown as last listed.
    std::map<std::size_t, std::size_t> contestantOfRoot;
    std::vector<std::size_t> lastSeen, numberSeen;
    m_contestantOfSpelling.assign(count, 0);
    m_names.clear();
    m_numbers.clear();
    for (std::size_t s = 0; s < count; ++s) {
        auto [at, added] = contestantOfRoot.try_emplace(rootOf(s), m_names.size());
        const std::size_t contestant = at->second;
        m_contestantOfSpelling[s] = contestant;
        const Spelling &spelling = m_spellings[s];
        if (added) {
            m_names.push_back(spelling.name);
            m_numbers.push_back(spelling.number);
            lastSeen.push_back(spelling.lastSeen);
            numberSeen.push_back(spelling.number.empty() ? 0 : spelling.lastSeen);
            continue;
        }
        if (spelling.lastSeen >= lastSeen[contestant]) {
            m_names[contestant] = spelling.name;
            lastSeen[contestant] = spelling.lastSeen;
        }
        if (!spelling.number.empty() && (m_numbers[contestant].empty() || spelling.lastSeen >= numberSeen[contestant])) {
            m_numbers[contestant] = spelling.number;
            numberSeen[contestant] = spelling.lastSeen;
        }
    }
}

std::size_t SeriesContestants::contestantOf(const std::string &name, const std::string &number) const
{
    return m_contestantOfSpelling[m_spellingOf.at({tidyName(name), tidyName(number)})];
}

} // namespace orlo::contest
