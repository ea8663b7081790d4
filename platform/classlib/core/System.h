// Basic types shared by every layer: the two string types, date-time, events and sets.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

// 8-bit text in the process's ANSI code page (see CodePage.h); UTF-16 text.
using AnsiString = std::string;
using WideString = std::u16string;

// Days since 1899-12-30, the fraction being the time of day.
using TDateTime = double;

class TObject;

// An event handler bound to a method of some object; empty when not assigned.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// A set over an enumeration whose values lie in 0..63.
template <class E>
class SetOf {
public:
  constexpr SetOf() = default;
  constexpr SetOf(std::initializer_list<E> items) {
    for (E e : items) bits_ |= bit(e);
  }
  static constexpr SetOf FromBits(std::uint64_t bits) {
    SetOf s;
    s.bits_ = bits;
    return s;
  }
  constexpr std::uint64_t Bits() const { return bits_; }
  constexpr bool Contains(E e) const { return (bits_ & bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr SetOf& Include(E e) {
    bits_ |= bit(e);
    return *this;
  }
  constexpr SetOf& Exclude(E e) {
    bits_ &= ~bit(e);
    return *this;
  }
  friend constexpr SetOf operator+(SetOf a, SetOf b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr SetOf operator-(SetOf a, SetOf b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr SetOf operator*(SetOf a, SetOf b) { return FromBits(a.bits_ & b.bits_); }
  friend constexpr bool operator==(SetOf a, SetOf b) = default;

private:
  static constexpr std::uint64_t bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
  std::uint64_t bits_ = 0;
};
