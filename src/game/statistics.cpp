#include "game/statistics.h"

#include "game/shortest.h"

#include <algorithm>
#include <charconv>

namespace game::statistics {

namespace {

template <class T>
bool number(std::string_view text, T& value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

std::optional<double> median(std::vector<int> values)
{
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const size_t half = values.size() / 2;
    if (values.size() % 2)
        return values[half];
    return (values[half - 1] + values[half]) / 2.0;
}

}  // namespace

std::string encodeLine(const Record& r)
{
    std::string line = std::to_string(r.size) + '\t' + std::to_string(int(r.mode)) + '\t' +
                       char(r.outcome) + '\t' + std::to_string(r.moves) + '\t' +
                       std::to_string(r.seconds) + '\t' + std::to_string(r.date) + '\t' +
                       (r.shortest ? std::to_string(*r.shortest) : std::string()) + '\t';
    for (char c : r.picture) {
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        default: line += c;
        }
    }
    return line;
}

std::optional<Record> decodeLine(std::string_view line)
{
    std::string_view field[8];
    for (int i = 0; i < 7; ++i) {
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            return std::nullopt;
        field[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    field[7] = line;
    Record r;
    int mode = 0;
    if (!number(field[0], r.size) || r.size < 3 || r.size > MaxSide || !number(field[1], mode) || mode > 1 ||
        field[2].size() != 1 || !number(field[3], r.moves) || !number(field[4], r.seconds) ||
        !number(field[5], r.date))
        return std::nullopt;
    r.mode = Mode(mode);
    r.outcome = Outcome(field[2][0]);
    if (r.outcome != Outcome::Solved && r.outcome != Outcome::Helped && r.outcome != Outcome::Abandoned)
        return std::nullopt;
    if (!field[6].empty()) {
        int shortest = 0;
        if (!number(field[6], shortest) || shortest < 1)
            return std::nullopt;
        r.shortest = shortest;
    }
    r.picture.reserve(field[7].size());
    for (size_t i = 0; i < field[7].size(); ++i) {
        char c = field[7][i];
        if (c == '\t' || c == '\r')
            return std::nullopt;
        if (c == '\\') {
            if (++i == field[7].size())
                return std::nullopt;
            switch (field[7][i]) {
            case '\\': c = '\\'; break;
            case 't': c = '\t'; break;
            case 'n': c = '\n'; break;
            case 'r': c = '\r'; break;
            default: return std::nullopt;
            }
        }
        r.picture += c;
    }
    return r;
}

Decoded decode(std::string_view bytes)
{
    Decoded out;
    bool first = true;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (std::exchange(first, false) && line == Header)
            continue;
        if (line.empty())
            continue;
        if (std::optional<Record> r = decodeLine(line))
            out.records.push_back(std::move(*r));
        else
            ++out.damaged;
    }
    return out;
}

Summary summarize(const std::vector<Record>& records, int size, Mode mode)
{
    Summary s;
    std::vector<int> moves, seconds;
    int known = 0, within = 0;
    for (const Record& r : records) {
        if (r.size != size || r.mode != mode)
            continue;
        ++s.played;
        if (r.outcome != Outcome::Solved)
            continue;
        ++s.solved;
        moves.push_back(r.moves);
        seconds.push_back(r.seconds);
        if (r.shortest) {
            ++known;
            within += withinShare(r.moves, *r.shortest);
        }
    }
    if (!moves.empty()) {
        s.bestMoves = *std::min_element(moves.begin(), moves.end());
        s.bestSeconds = *std::min_element(seconds.begin(), seconds.end());
        s.medianMoves = median(std::move(moves));
        s.medianSeconds = median(std::move(seconds));
    }
    if (known > 0)
        s.withinShare = double(within) / known;
    return s;
}

std::vector<Record> lastSolved(const std::vector<Record>& records, int size, Mode mode, int count)
{
    std::vector<Record> out;
    for (auto it = records.rbegin(); it != records.rend() && int(out.size()) < count; ++it)
        if (it->size == size && it->mode == mode && it->outcome == Outcome::Solved)
            out.push_back(*it);
    std::reverse(out.begin(), out.end());
    return out;
}

std::optional<Trend> trend(const std::vector<double>& values)
{
    const size_t count = values.size();
    if (count < 2)
        return std::nullopt;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < count; ++i) {
        const double x = double(i);
        sx += x;
        sy += values[i];
        sxx += x * x;
        sxy += x * values[i];
    }
    const double slope = (count * sxy - sx * sy) / (count * sxx - sx * sx);
    const double at0 = (sy - slope * sx) / count;
    return Trend{at0, at0 + slope * double(count - 1)};
}

}  // namespace game::statistics
