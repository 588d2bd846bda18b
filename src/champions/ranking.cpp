#include "champions/ranking.h"

#include "errors/failure.h"
#include "platform/ansi.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>

namespace champions {

SortedList::SortedList()
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

void SortedList::AddItem(const QString& item)
{
    const auto at = std::upper_bound(items_.begin(), items_.end(), item,
                                     [this](const QString& a, const QString& b) {
                                         return collator_.compare(a, b) < 0;
                                     });
    items_.insert(at, item);
}

const QString& SortedList::List(int index) const
{
    if (index < 0 || index >= items_.size())
        errors::raise(errors::ErrSubscript);
    return items_[index];
}

bool qualifies(const QString& score, const QString& last)
{
    if (score.size() != 10)
        return false;
    return QString::compare(score, last, Qt::CaseSensitive) < 0 && numbers::Val(score) != 0;
}

bool tiesLast(const QString& score, const QString& last)
{
    return isEntry(last) && score.size() == 10 && last.left(10) == score;
}

int rankOf(const SortedList& list, const QString& entry)
{
    SortedList with = list;
    with.AddItem(entry);
    return static_cast<int>(with.items().lastIndexOf(entry)) + 1;
}

QString lostCharacters(const QString& answer)
{
    QString lost;
    const QList<uint> points = answer.toUcs4();
    for (const uint point : points) {
        const QString ch = QString::fromUcs4(reinterpret_cast<const char32_t*>(&point), 1);
        if (ansi::fromAnsi(ansi::toAnsi(ch)) != ch && !lost.contains(ch))
            lost += ch;
    }
    return lost;
}

QString nameFromAnswer(const QString& answer)
{
    auto trimBlanks = [](QString s) {
        qsizetype from = 0;
        qsizetype to = s.size();
        while (from < to && s[from] == u' ')
            ++from;
        while (to > from && s[to - 1] == u' ')
            --to;
        return s.mid(from, to - from);
    };
    // Through the code page first: a character it lacks (a pair of UTF-16
    // units included) becomes one "?", and the cut counts what is stored.
    const QString name = ansi::fromAnsi(ansi::toAnsi(trimBlanks(answer)));
    return trimBlanks(name.left(kNameLength));
}

namespace {

// A number as a label shows it: whole numbers without a fraction.
QString plain(double v)
{
    if (std::floor(v) == v && std::fabs(v) < 1e15)
        return QString::number(static_cast<long long>(v));
    return QString::number(v, 'g', 15);
}

}  // namespace

Row rowOf(const QString& entry)
{
    const double seconds = numbers::Val(entry.left(5));
    if (seconds == 99999 || seconds == 0)
        return {};
    return {entry.mid(10), plain(numbers::Val(entry.mid(5, 5))), plain(seconds)};
}

bool isEntry(const QString& text)
{
    if (text.size() < 10)
        return false;
    for (int i = 0; i < 10; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    }
    return !rowOf(text).seconds.isEmpty();
}

}  // namespace champions
