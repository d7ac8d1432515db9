// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kurvex {

/// A text the window shows, as written in the code (German), with the
/// context its translations are filed under.
struct TText {
  const char* Context;
  const char* Source;
};

/// Names a text where it is listed rather than shown (tables, constants
/// made before any translation is installed); `Tr` translates it when shown.
/// The translation tools find it by this name.
constexpr TText TrNoop(const char* context, const char* source) { return {context, source}; }

/// `source` (UTF-8) in the program's language: the installed translation,
/// or `source` itself where there is none (German, or a text not yet
/// translated). The translation tools find the texts by this call, so both
/// arguments are literals. GUI thread, or any thread once the translations
/// are installed.
std::string Tr(const char* context, const char* source);
std::string Tr(TText text);

/// `text` with %1 … %9 replaced by `arguments` in one pass, so an argument
/// that holds a "%2" stays as it is. A translation may order them freely.
std::string Fill(std::string_view text, std::initializer_list<std::string_view> arguments);

}  // namespace kurvex
