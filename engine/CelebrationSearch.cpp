// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CelebrationSearch.h"

#include <QChar>
#include <QSqlQuery>

namespace lumenar {

namespace {

constexpr char32_t kAnyRun = U'*';
constexpr char32_t kAnyOne = U'?';

// Letters that carry their mark inside the letter, so decomposition leaves them whole.
const char32_t *spelledWithoutMark(char32_t c)
{
    switch (c) {
    case U'ß':
        return U"ss";
    case U'æ':
        return U"ae";
    case U'œ':
        return U"oe";
    case U'ø':
        return U"o";
    case U'ł':
        return U"l";
    case U'đ':
    case U'ð':
        return U"d";
    case U'þ':
        return U"th";
    case U'ı':
        return U"i";
    case U'ħ':
        return U"h";
    case U'ŧ':
        return U"t";
    // Typographic apostrophes, so "Peter's" finds "Peter’s".
    case U'\u2018':
    case U'\u2019':
    case U'\u02bc':
        return U"'";
    default:
        return nullptr;
    }
}

struct Pattern
{
    std::u32string text;    // runs of '*' collapsed into one
    std::size_t needed = 0; // characters a name must hold from the start of a match
};

Pattern compile(QStringView typed)
{
    Pattern pattern;
    for (char32_t c : searchKey(typed)) {
        if (c == kAnyRun && !pattern.text.empty() && pattern.text.back() == kAnyRun)
            continue;
        pattern.text.push_back(c);
        if (c != kAnyRun)
            ++pattern.needed;
    }
    return pattern;
}

// Whether s begins with something the pattern matches (the pattern ends in an implicit
// '*'). One remembered star suffices for glob matching, so this stays O(n·m).
bool matchesPrefix(const char32_t *s, std::size_t n, const std::u32string &p)
{
    constexpr std::size_t none = std::u32string::npos;
    std::size_t i = 0, j = 0, star = none, mark = 0;
    while (j < p.size()) {
        if (p[j] == kAnyRun) {
            star = j++;
            mark = i;
        } else if (i < n && (p[j] == kAnyOne || p[j] == s[i])) {
            ++i;
            ++j;
        } else if (star != none && mark < n) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    return true;
}

bool isWordStart(const std::u32string &key, std::size_t at)
{
    if (at == 0)
        return true;
    const char32_t before = key[at - 1];
    return before == U',' || QChar::isSpace(before);
}

bool matches(const std::u32string &key, const Pattern &pattern)
{
    if (pattern.text.empty() || pattern.needed > key.size())
        return false;
    for (std::size_t at = 0; at + pattern.needed <= key.size(); ++at) {
        if (isWordStart(key, at) && matchesPrefix(key.data() + at, key.size() - at, pattern.text))
            return true;
    }
    return false;
}

} // namespace

std::u32string searchKey(QStringView text)
{
    // Fold before decomposing (İ folds to i with a dot mark) and again after (compatibility
    // forms such as ℍ decompose to capitals).
    const QString folded = text.toString().toCaseFolded().normalized(QString::NormalizationForm_KD);
    std::u32string key;
    key.reserve(folded.size());
    for (char32_t c : folded.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            continue;
        c = QChar::toCaseFolded(c);
        if (const char32_t *spelled = spelledWithoutMark(c))
            key += spelled;
        else
            key.push_back(c);
    }
    return key;
}

bool nameMatches(QStringView name, QStringView typed)
{
    return matches(searchKey(name), compile(typed));
}

CelebrationSearch::CelebrationSearch(const std::vector<Celebration> &rows)
{
    m_entries.reserve(rows.size());
    for (const Celebration &c : rows)
        m_entries.push_back({c.id, c.name, c.date, c.weekday, searchKey(c.name)});
}

std::vector<int> CelebrationSearch::find(QStringView typed) const
{
    std::vector<int> found;
    const Pattern pattern = compile(typed);
    if (pattern.text.empty())
        return found;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (matches(m_entries[i].key, pattern))
            found.push_back(static_cast<int>(i));
    }
    return found;
}

} // namespace lumenar
