#include "replace/journal_record.h"

#include "replace/crc32.h"

#include <algorithm>
#include <cstring>

namespace replace {

namespace {

constexpr char kMagic[4] = {'Z', 'V', 'J', '1'};
// Magic, name length, old length, new length, the new bytes' checksum, the head's checksum.
constexpr size_t kFixedHead = 4 + 4 + 8 + 8 + 4 + 4;
constexpr size_t kHeadChecksumAt = kFixedHead - 4;

// Calls `f(begin, end)` for each stretch of [0, end): cut at every page boundary and at `cutA`
// and `cutB`.
template <typename F>
void ForEachStretch(LONGLONG end, LONGLONG cutA, LONGLONG cutB, F f) {
    for (LONGLONG begin = 0; begin < end;) {
        LONGLONG stop = std::min(end, (begin / kStretchBytes + 1) * kStretchBytes);
        if (cutA > begin && cutA < stop) stop = cutA;
        if (cutB > begin && cutB < stop) stop = cutB;
        f(begin, stop);
        begin = stop;
    }
}

std::uint32_t Checksum(std::string_view bytes, LONGLONG begin, LONGLONG end) {
    return Crc32(bytes.data() + begin, static_cast<size_t>(end - begin));
}

template <typename T>
void Put(std::string& out, T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);  // little-endian, as every Windows machine is
    out.append(bytes, sizeof value);
}

template <typename T>
T Get(std::string_view in, size_t at) {
    T value;
    std::memcpy(&value, in.data() + at, sizeof value);
    return value;
}

}  // namespace

std::vector<std::uint32_t> OldStretchChecksums(std::string_view oldBytes, LONGLONG newLength) {
    std::vector<std::uint32_t> checksums;
    const auto oldLength = static_cast<LONGLONG>(oldBytes.size());
    ForEachStretch(oldLength, newLength, oldLength,
                   [&](LONGLONG begin, LONGLONG end) { checksums.push_back(Checksum(oldBytes, begin, end)); });
    return checksums;
}

std::string EncodeRecordHead(const JournalRecord& record, std::uint32_t newBytesCrc) {
    std::string head(kMagic, sizeof kMagic);
    Put(head, static_cast<std::uint32_t>(record.name.size()));
    Put(head, static_cast<std::int64_t>(record.oldLength));
    Put(head, static_cast<std::int64_t>(record.newBytes.size()));
    Put(head, newBytesCrc);
    Put(head, std::uint32_t{0});  // the head's checksum, once the rest is there
    for (wchar_t c : record.name) Put(head, static_cast<std::uint16_t>(c));
    for (std::uint32_t checksum : record.oldChecksums) Put(head, checksum);
    const std::uint32_t headCrc =
        Crc32(head.data() + kFixedHead, head.size() - kFixedHead, Crc32(head.data(), kHeadChecksumAt));
    std::memcpy(head.data() + kHeadChecksumAt, &headCrc, sizeof headCrc);
    return head;
}

std::optional<JournalRecord> DecodeRecord(std::string_view journal) {
    if (journal.size() < kFixedHead || journal.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    const auto nameLength = Get<std::uint32_t>(journal, 4);
    const auto oldLength = Get<std::int64_t>(journal, 8), newLength = Get<std::int64_t>(journal, 16);
    if (oldLength < 0 || newLength < 0 || oldLength > 0x7FFFFFFF || newLength > 0x7FFFFFFF) return std::nullopt;
    size_t count = 0;
    ForEachStretch(oldLength, newLength, oldLength, [&](LONGLONG, LONGLONG) { ++count; });
    const size_t headSize = kFixedHead + 2 * size_t{nameLength} + 4 * count;
    if (journal.size() != headSize + static_cast<size_t>(newLength)) return std::nullopt;
    const std::uint32_t headCrc = Crc32(journal.data() + kFixedHead, headSize - kFixedHead,
                                        Crc32(journal.data(), kHeadChecksumAt));
    if (headCrc != Get<std::uint32_t>(journal, kHeadChecksumAt)) return std::nullopt;
    JournalRecord record;
    record.oldLength = oldLength;
    record.newBytes = journal.substr(headSize);
    if (Crc32(record.newBytes.data(), record.newBytes.size()) != Get<std::uint32_t>(journal, 24)) return std::nullopt;
    for (size_t i = 0; i < nameLength; ++i)
        record.name.push_back(static_cast<wchar_t>(Get<std::uint16_t>(journal, kFixedHead + 2 * i)));
    for (size_t i = 0; i < count; ++i)
        record.oldChecksums.push_back(Get<std::uint32_t>(journal, kFixedHead + 2 * size_t{nameLength} + 4 * i));
    return record;
}

FileState Classify(std::string_view file, const JournalRecord& record) {
    const LONGLONG length = static_cast<LONGLONG>(file.size()), oldLength = record.oldLength;
    const auto newLength = static_cast<LONGLONG>(record.newBytes.size());
    // The rewrite grows the file to its new length first and cuts it last.
    if (length != newLength && (length < oldLength || length > std::max(oldLength, newLength)))
        return FileState::Changed;
    bool allOld = length == oldLength, allNew = length == newLength, each = true;
    size_t oldIndex = 0;
    ForEachStretch(length, oldLength, newLength, [&](LONGLONG begin, LONGLONG end) {
        const bool isNew = end <= newLength && file.substr(begin, end - begin) == record.newBytes.substr(begin, end - begin);
        const bool isOld = end <= oldLength && Checksum(file, begin, end) == record.oldChecksums[oldIndex++];
        allOld = allOld && isOld;
        allNew = allNew && isNew;
        each = each && (isOld || isNew);
    });
    if (allNew) return FileState::WhollyNew;
    if (allOld) return FileState::WhollyOld;
    return each ? FileState::PartWritten : FileState::Changed;
}

}  // namespace replace
