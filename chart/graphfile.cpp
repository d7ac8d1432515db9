// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/graphfile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "chart/chartcontrol.h"
#include "platform/system/readfile.h"
#include "platform/system/replacefile.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

constexpr std::size_t kRecordSize = sizeof(TChartItem);

[[noreturn]] void Fail(const std::string& fileName, int error) {
  throw EGraphFileError(fileName, std::strerror(error));
}

bool IsTextByte(unsigned char byte) { return byte >= 0x20 || byte == '\t' || byte == '\n' || byte == '\r'; }

}  // namespace

std::optional<std::string> NotAGraphFile(std::string_view wholeRecords) {
  if (wholeRecords.empty()) return Tr("Chart", "Sie ist keine Kurvex-Erfassung: sie enthält keinen vollständigen Datensatz.");
  const bool text = std::all_of(wholeRecords.begin(), wholeRecords.end(),
                                [](char byte) { return IsTextByte(static_cast<unsigned char>(byte)); });
  if (text) return Tr("Chart", "Sie ist keine Kurvex-Erfassung, sondern eine Textdatei.");
  return std::nullopt;
}

void TCustomChartControl::SaveGraph(const std::string& fileName) {
  const auto* bytes = reinterpret_cast<const char*>(m_store->Items());
  const std::size_t size = static_cast<std::size_t>(m_store->Count()) * kRecordSize;
  if (const int error = ReplaceFileContents(fileName, {bytes, size}); error != 0) Fail(fileName, error);
}

TGraphLoad TCustomChartControl::LoadGraph(const std::string& fileName, bool keepStore) {
  TReadFile file(fileName);
  if (file.Error() != 0) Fail(fileName, file.Error());
  const long long records = file.Size() / static_cast<long long>(kRecordSize);
  const long long kept = keepStore ? m_store->Count() : 0;
  if (records + kept > INT_MAX) Fail(fileName, EFBIG);
  const int count = static_cast<int>(records);
  const int capacity = static_cast<int>(records + kept);

  // The new store is filled completely before it replaces the old one, so
  // a failure leaves the chart's items as they were.
  auto store = std::make_shared<TItemStore>();
  try {
    for (int i = 0; i < count; ++i) store->Append(capacity);  // the first call allocates all slots
  } catch (const std::bad_alloc&) {
    Fail(fileName, ENOMEM);
  }
  std::size_t got = 0;
  if (count > 0 && !file.Read(reinterpret_cast<char*>(store->Items()), count * kRecordSize, got))
    Fail(fileName, file.Error());
  // The file may have shrunk since its size was taken: only whole records count.
  while (store->Count() > static_cast<int>(got / kRecordSize)) store->Remove(store->Count() - 1);
  const std::string_view wholeRecords(reinterpret_cast<const char*>(store->Items()),
                                      static_cast<std::size_t>(store->Count()) * kRecordSize);
  if (const std::optional<std::string> why = NotAGraphFile(wholeRecords)) throw EGraphFileError(fileName, *why);
  const TGraphLoad load{store->Count(), file.Size() - static_cast<std::int64_t>(wholeRecords.size())};
  m_store = std::move(store);
  SyncSharedData();
  Paint();
  return load;
}

}  // namespace kurvex
