// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>

namespace kurvex {

/// A set of enumeration members stored as a bit word: member with ordinal k
/// is bit (1 << k), so the word is the set's stored form.
template <typename Member, typename Word>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<Member> members) {
    for (Member member : members) {
      Include(member);
    }
  }

  static constexpr EnumSet FromBits(Word bits) {
    EnumSet set;
    set.m_bits = bits;
    return set;
  }

  constexpr Word Bits() const { return m_bits; }
  constexpr bool Empty() const { return m_bits == 0; }
  constexpr bool Contains(Member member) const { return (m_bits & Bit(member)) != 0; }
  constexpr void Include(Member member) { m_bits = static_cast<Word>(m_bits | Bit(member)); }
  constexpr void Exclude(Member member) { m_bits = static_cast<Word>(m_bits & ~Bit(member)); }

  friend constexpr bool operator==(EnumSet, EnumSet) = default;

 private:
  static constexpr Word Bit(Member member) {
    return static_cast<Word>(Word{1} << static_cast<unsigned>(member));
  }

  Word m_bits = 0;
};

}  // namespace kurvex
