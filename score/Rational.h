#ifndef HARMODEX_SCORE_RATIONAL_H
#define HARMODEX_SCORE_RATIONAL_H

// Exact time in quarter notes. A score's times are fractions of a quarter
// (MusicXML divisions, MIDI ticks per quarter); adding them as doubles would
// let a chord's notes drift apart, so onsets are compared exactly.
//
// The fraction is always in lowest terms with a positive denominator.
// Arithmetic that would leave 64 bits throws std::overflow_error; the readers
// keep their inputs far from that (bounded divisions and durations) and turn
// it into an error naming the place if a file still gets there.

#include <cstdint>
#include <numeric>
#include <stdexcept>
#include <string>

class Rational {
public:
    constexpr Rational() = default;
    Rational(int64_t whole) : num_(whole) {}  // NOLINT: a whole number of quarters
    Rational(int64_t num, int64_t den) { Set(num, den); }

    int64_t num() const { return num_; }
    int64_t den() const { return den_; }
    double ToDouble() const { return static_cast<double>(num_) / static_cast<double>(den_); }
    // "3", "-1/2", "7/3"
    std::string ToString() const
    {
        return den_ == 1 ? std::to_string(num_) : std::to_string(num_) + "/" + std::to_string(den_);
    }

    friend Rational operator+(const Rational& a, const Rational& b)
    {
        // Times of one score mostly share a denominator.
        if (a.den_ == b.den_) {
            int64_t sum;
            if (!__builtin_add_overflow(a.num_, b.num_, &sum))
                return FromNarrow(sum, a.den_);
        }
        const int64_t g = std::gcd(a.den_, b.den_);
        const __int128 den = static_cast<__int128>(a.den_ / g) * b.den_;
        const __int128 num =
            static_cast<__int128>(a.num_) * (b.den_ / g) + static_cast<__int128>(b.num_) * (a.den_ / g);
        return FromWide(num, den);
    }
    friend Rational operator-(const Rational& a, const Rational& b) { return a + Rational(-b.num_, b.den_); }
    friend Rational operator*(const Rational& a, const Rational& b)
    {
        return FromWide(static_cast<__int128>(a.num_) * b.num_, static_cast<__int128>(a.den_) * b.den_);
    }
    friend Rational operator/(const Rational& a, const Rational& b)
    {
        if (b.num_ == 0)
            throw std::overflow_error("division of a time by zero");
        return FromWide(static_cast<__int128>(a.num_) * b.den_, static_cast<__int128>(a.den_) * b.num_);
    }
    Rational& operator+=(const Rational& b) { return *this = *this + b; }
    Rational& operator-=(const Rational& b) { return *this = *this - b; }

    friend bool operator==(const Rational& a, const Rational& b) { return a.num_ == b.num_ && a.den_ == b.den_; }
    friend bool operator!=(const Rational& a, const Rational& b) { return !(a == b); }
    friend bool operator<(const Rational& a, const Rational& b)
    {
        return static_cast<__int128>(a.num_) * b.den_ < static_cast<__int128>(b.num_) * a.den_;
    }
    friend bool operator>(const Rational& a, const Rational& b) { return b < a; }
    friend bool operator<=(const Rational& a, const Rational& b) { return !(b < a); }
    friend bool operator>=(const Rational& a, const Rational& b) { return !(a < b); }

    // The largest whole number not above the fraction.
    int64_t Floor() const
    {
        const int64_t q = num_ / den_;
        return (num_ % den_ != 0 && num_ < 0) ? q - 1 : q;
    }

private:
    static __int128 Gcd(__int128 a, __int128 b)
    {
        if (a < 0)
            a = -a;
        if (b < 0)
            b = -b;
        while (b != 0) {
            const __int128 t = a % b;
            a = b;
            b = t;
        }
        return a;
    }
    // Lowest terms of num/den, den positive.
    static Rational FromNarrow(int64_t num, int64_t den)
    {
        Rational r;
        const int64_t g = std::gcd(num, den);
        r.num_ = g > 1 ? num / g : num;
        r.den_ = g > 1 ? den / g : den;
        return r;
    }
    static Rational FromWide(__int128 num, __int128 den)
    {
        constexpr __int128 narrow = INT64_MAX;
        if (den > 0 && den <= narrow && num <= narrow && num >= -narrow)
            return FromNarrow(static_cast<int64_t>(num), static_cast<int64_t>(den));
        if (den == 0)
            throw std::overflow_error("a time with denominator zero");
        if (den < 0) {
            num = -num;
            den = -den;
        }
        const __int128 g = Gcd(num, den);
        if (g > 1) {
            num /= g;
            den /= g;
        }
        constexpr __int128 limit = INT64_MAX;
        if (num > limit || num < -limit || den > limit)
            throw std::overflow_error("a time too fine or too far to be counted exactly");
        Rational r;
        r.num_ = static_cast<int64_t>(num);
        r.den_ = static_cast<int64_t>(den);
        return r;
    }
    void Set(int64_t num, int64_t den) { *this = FromWide(num, den); }

    int64_t num_ = 0;
    int64_t den_ = 1;
};

#endif
