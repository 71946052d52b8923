// Host values: the factories of HostValue and the day numbers of dates.
#include <tarnvel/host.hpp>

#include <utility>

namespace tarnvel {
namespace {

// A value of the type with the one member that holds it set.
template <typename T>
HostValue holding(char type, T HostValue::*member, T value) {
    HostValue v;
    v.type = type;
    v.*member = std::move(value);
    return v;
}

}  // namespace

HostValue HostValue::character(std::string bytes, char type) { return holding(type, &HostValue::text, std::move(bytes)); }

HostValue HostValue::numeric(double value, int decimals) {
    HostValue v = holding('N', &HostValue::number, value);
    v.decimals = decimals;
    return v;
}

HostValue HostValue::whole(std::int32_t value) { return holding('I', &HostValue::integer, value); }

HostValue HostValue::boolean(bool value) { return holding('L', &HostValue::logical, value); }

HostValue HostValue::date(int year, int month, int day) {
    return holding('D', &HostValue::number, static_cast<double>(julian_day(year, month, day)));
}

HostValue HostValue::datetime(int year, int month, int day, int hour, int minute, int second) {
    const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    return holding('T', &HostValue::number, static_cast<double>(julian_day(year, month, day)) + time);
}

HostValue HostValue::empty_date(char type) { return holding(type, &HostValue::number, 0.0); }

HostValue HostValue::money(std::int64_t ten_thousandths) { return holding('Y', &HostValue::currency, ten_thousandths); }

HostValue HostValue::null() { return HostValue{}; }

// The proleptic Gregorian calendar; day 2451545 is 2000-01-01.
std::int64_t julian_day(int year, int month, int day) {
    std::int64_t a = (14 - month) / 12;
    std::int64_t y = static_cast<std::int64_t>(year) + 4800 - a;
    std::int64_t m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

// The inverse, by the same steps the library's date formatting uses; day 0 gives 0-0-0.
void gregorian_date(std::int64_t julian, int &year, int &month, int &day) {
    if (julian == 0) {
        year = month = day = 0;
        return;
    }
    std::int64_t k = 4 * julian - 6884477;
    std::int64_t c = k / 146097;
    std::int64_t t = (k - 146097 * c) / 4;
    std::int64_t y = (4 * t + 3) / 1461;
    t = (4 * t + 3 - 1461 * y + 4) / 4;
    std::int64_t m = (5 * t - 3) / 153;
    day = static_cast<int>((5 * t - 3 - 153 * m + 5) / 5);
    year = static_cast<int>(100 * c + y);
    if (m < 10) {
        month = static_cast<int>(m + 3);
    } else {
        month = static_cast<int>(m - 9);
        ++year;
    }
}

}  // namespace tarnvel
