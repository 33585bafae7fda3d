#include "common/timestamp.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>

namespace vesk {
namespace {

using namespace std::chrono;

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

constexpr std::int64_t floorMod(std::int64_t a, std::int64_t b) { return a - floorDiv(a, b) * b; }

constexpr std::int64_t daySerial(const year_month_day& ymd) {
  return (sys_days{ymd} - kEpoch).count();
}

// The representable moments: 0100-01-01 00:00:00 to 9999-12-31 23:59:59.
constexpr std::int64_t kMinSeconds = daySerial(year{100} / January / 1) * kSecondsPerDay;
constexpr std::int64_t kMaxSeconds =
    daySerial(year{9999} / December / 31) * kSecondsPerDay + kSecondsPerDay - 1;
constexpr std::int64_t kMaxDayShift = (kMaxSeconds - kMinSeconds) / kSecondsPerDay + 1;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Consumes the text left to right; each step either takes what it expects or
// reports false. No step allocates or throws, whatever the bytes.
struct Reader {
  std::string_view rest;

  bool skipBlanks() {
    const std::size_t before = rest.size();
    while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
    return rest.size() < before;
  }

  bool literal(std::string_view s) {
    if (!rest.starts_with(s)) return false;
    rest.remove_prefix(s.size());
    return true;
  }

  // 1 to maxDigits decimal digits. A longer run is refused, so the value
  // cannot overflow.
  bool number(int& out, int maxDigits) {
    int digits = 0;
    int value = 0;
    while (!rest.empty() && rest.front() >= '0' && rest.front() <= '9') {
      if (++digits > maxDigits) return false;
      value = value * 10 + (rest.front() - '0');
      rest.remove_prefix(1);
    }
    out = value;
    return digits > 0;
  }
};

// "2010/09/25", "2010-9-25 18:00", "2009/09/16 12:00:00".
std::optional<DateTime> readNumericForm(Reader r) {
  DateTime dt{};
  if (!r.number(dt.year, 4)) return std::nullopt;
  const std::string_view sep = r.rest.substr(0, 1);
  if (sep != "/" && sep != "-") return std::nullopt;
  if (!r.literal(sep) || !r.number(dt.month, 2) || !r.literal(sep) || !r.number(dt.day, 2)) {
    return std::nullopt;
  }
  if (r.rest.empty()) return dt;
  if (!r.skipBlanks() || !r.number(dt.hour, 2) || !r.literal(":") || !r.number(dt.minute, 2)) {
    return std::nullopt;
  }
  if (r.literal(":") && !r.number(dt.second, 2)) return std::nullopt;
  if (!r.rest.empty()) return std::nullopt;
  return dt;
}

// "2010年9月25日", "2010年9月25日18時0分", "2010年 9月 25日 18時 0分 30秒".
std::optional<DateTime> readUnitForm(Reader r) {
  DateTime dt{};
  const auto part = [&r](int& out, int maxDigits, std::string_view unit) {
    r.skipBlanks();
    return r.number(out, maxDigits) && r.literal(unit);
  };
  if (!part(dt.year, 4, "年") || !part(dt.month, 2, "月") || !part(dt.day, 2, "日")) {
    return std::nullopt;
  }
  r.skipBlanks();
  if (r.rest.empty()) return dt;
  if (!part(dt.hour, 2, "時") || !part(dt.minute, 2, "分")) return std::nullopt;
  r.skipBlanks();
  if (r.rest.empty()) return dt;
  if (!part(dt.second, 2, "秒")) return std::nullopt;
  if (!r.rest.empty()) return std::nullopt;
  return dt;
}

void appendNumber(std::string& out, int value, int width) {
  char buf[16];
  const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
  out.append(static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, width - (end - buf))), '0');
  out.append(buf, end);
}

}  // namespace

bool isValidDateTime(const DateTime& dt) {
  if (dt.year < 100 || dt.year > 9999) return false;
  if (dt.month < 1 || dt.month > 12 || dt.day < 1 || dt.day > 31) return false;
  const year_month_day ymd{year{dt.year}, month{static_cast<unsigned>(dt.month)},
                           day{static_cast<unsigned>(dt.day)}};
  return ymd.ok() && dt.hour >= 0 && dt.hour <= 23 && dt.minute >= 0 && dt.minute <= 59 &&
         dt.second >= 0 && dt.second <= 59;
}

Timestamp toTimestamp(const DateTime& dt) {
  const year_month_day ymd{year{dt.year}, month{static_cast<unsigned>(dt.month)},
                           day{static_cast<unsigned>(dt.day)}};
  return fromSeconds(daySerial(ymd) * kSecondsPerDay + dt.hour * 3600 + dt.minute * 60 + dt.second);
}

DateTime toDateTime(Timestamp t) {
  const std::int64_t s = toSeconds(t);
  const std::int64_t secondOfDay = floorMod(s, kSecondsPerDay);
  const year_month_day ymd{kEpoch + days{floorDiv(s, kSecondsPerDay)}};
  return DateTime{static_cast<int>(ymd.year()),
                  static_cast<int>(static_cast<unsigned>(ymd.month())),
                  static_cast<int>(static_cast<unsigned>(ymd.day())),
                  static_cast<int>(secondOfDay / 3600),
                  static_cast<int>(secondOfDay / 60 % 60),
                  static_cast<int>(secondOfDay % 60)};
}

std::int64_t toSeconds(Timestamp t) {
  const double s = std::round(t * static_cast<double>(kSecondsPerDay));
  if (std::isnan(s)) return 0;
  if (s <= static_cast<double>(kMinSeconds)) return kMinSeconds;
  if (s >= static_cast<double>(kMaxSeconds)) return kMaxSeconds;
  return static_cast<std::int64_t>(s);
}

Timestamp fromSeconds(std::int64_t seconds) {
  return static_cast<double>(seconds) / static_cast<double>(kSecondsPerDay);
}

Timestamp addDays(Timestamp t, std::int64_t days) {
  // A shift beyond the whole representable span lands on its edge anyway;
  // clamping it first keeps the multiplication from overflowing.
  const std::int64_t shift = std::clamp(days, -kMaxDayShift, kMaxDayShift);
  return fromSeconds(std::clamp(toSeconds(t) + shift * kSecondsPerDay, kMinSeconds, kMaxSeconds));
}

Timestamp truncateToMinute(Timestamp t) {
  const std::int64_t s = toSeconds(t);
  return fromSeconds(s - floorMod(s, 60));
}

std::int64_t minuteDiff(Timestamp a, Timestamp b) {
  return floorDiv(toSeconds(b), 60) - floorDiv(toSeconds(a), 60);
}

std::string formatDate(Timestamp t, std::string_view pattern) {
  const DateTime dt = toDateTime(t);
  struct Token {
    std::string_view text;
    int value;
    int width;
  };
  // The longer token of each letter comes first, so the longest one wins.
  const Token tokens[] = {{"yyyy", dt.year, 4}, {"MM", dt.month, 2},  {"M", dt.month, 1},
                          {"dd", dt.day, 2},    {"d", dt.day, 1},     {"HH", dt.hour, 2},
                          {"H", dt.hour, 1},    {"nn", dt.minute, 2}, {"n", dt.minute, 1},
                          {"ss", dt.second, 2}, {"s", dt.second, 1}};
  std::string out;
  // Tokens are ASCII and no byte of a multi-byte UTF-8 character is, so
  // copying the other bytes one by one keeps such characters whole.
  while (!pattern.empty()) {
    const auto token = std::find_if(std::begin(tokens), std::end(tokens),
                                    [&](const Token& k) { return pattern.starts_with(k.text); });
    if (token == std::end(tokens)) {
      out += pattern.front();
      pattern.remove_prefix(1);
    } else {
      appendNumber(out, token->value, token->width);
      pattern.remove_prefix(token->text.size());
    }
  }
  return out;
}

std::optional<Timestamp> parseDate(std::string_view text) {
  const Reader reader{trimBlanks(text)};
  std::optional<DateTime> dt = readNumericForm(reader);
  if (!dt) dt = readUnitForm(reader);
  if (!dt || !isValidDateTime(*dt)) return std::nullopt;
  return toTimestamp(*dt);
}

}  // namespace vesk
