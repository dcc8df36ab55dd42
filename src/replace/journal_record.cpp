#include "replace/journal_record.h"

#include "replace/byte_fields.h"
#include "replace/crc32.h"
#include "replace/in_place_io.h"

#include <algorithm>
#include <cstring>

namespace replace {

namespace {

// A record, all numbers little-endian as on every Windows machine:
//   at  size  field
//    0   4    magic "ZVJ2"
//    4   4    done mark: "DONE" once the file reached the disk, else zero; not in the checksum
//    8   4    path length, in UTF-16 units
//   12   4    volume serial number
//   16   8    file index
//   24   8    old length
//   32   8    new length
//   40   4    CRC-32 of the new bytes
//   44   4    CRC-32 of the head: bytes 0-3, 8-43 and everything from 48 to the new bytes
//   48        path (UTF-16), a CRC-32 per stretch of the old bytes, the new bytes
constexpr char kMagic[4] = {'Z', 'V', 'J', '2'};
constexpr size_t kPathLengthAt = 8, kVolumeAt = 12, kIndexAt = 16, kOldLengthAt = 24, kNewLengthAt = 32,
                 kNewCrcAt = 40, kHeadCrcAt = 44, kFixedHead = 48;

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

size_t StretchCount(LONGLONG oldLength, LONGLONG newLength) {
    size_t count = 0;
    ForEachStretch(oldLength, newLength, oldLength, [&](LONGLONG, LONGLONG) { ++count; });
    return count;
}

std::uint32_t Checksum(std::string_view bytes, LONGLONG begin, LONGLONG end) {
    return Crc32(bytes.data() + begin, static_cast<size_t>(end - begin));
}

// The head's checksum leaves the done mark out.
std::uint32_t HeadChecksum(std::string_view head) {
    const std::uint32_t crc = Crc32(head.data(), kDoneMarkAt);
    return Crc32(head.data() + kFixedHead, head.size() - kFixedHead,
                 Crc32(head.data() + kPathLengthAt, kHeadCrcAt - kPathLengthAt, crc));
}

// The record at the start of `in`, when it is whole.
std::optional<JournalRecord> DecodeOne(std::string_view in) {
    if (in.size() < kFixedHead || in.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0) return std::nullopt;
    const auto pathLength = GetField<std::uint32_t>(in, kPathLengthAt);
    const auto oldLength = GetField<std::int64_t>(in, kOldLengthAt), newLength = GetField<std::int64_t>(in, kNewLengthAt);
    if (pathLength == 0 || pathLength > kMaxPathUnits || oldLength < 0 || newLength < 0 ||
        oldLength > kMaxTextLength || newLength > kMaxTextLength)
        return std::nullopt;
    const size_t headSize = kFixedHead + 2 * size_t{pathLength} + 4 * StretchCount(oldLength, newLength);
    if (in.size() < headSize || in.size() - headSize < static_cast<size_t>(newLength)) return std::nullopt;
    if (HeadChecksum(in.substr(0, headSize)) != GetField<std::uint32_t>(in, kHeadCrcAt)) return std::nullopt;
    JournalRecord record;
    record.newBytes = in.substr(headSize, static_cast<size_t>(newLength));
    if (Crc32(record.newBytes.data(), record.newBytes.size()) != GetField<std::uint32_t>(in, kNewCrcAt)) return std::nullopt;
    record.path = *GetPathUnits(in, kFixedHead, pathLength);
    record.identity = {GetField<std::uint32_t>(in, kVolumeAt), GetField<std::uint64_t>(in, kIndexAt)};
    record.oldLength = oldLength;
    for (size_t at = kFixedHead + 2 * size_t{pathLength}; at < headSize; at += 4)
        record.oldChecksums.push_back(GetField<std::uint32_t>(in, at));
    record.done = in.compare(kDoneMarkAt, sizeof kDoneMark, kDoneMark, sizeof kDoneMark) == 0;
    return record;
}

}  // namespace

const char kDoneMark[4] = {'D', 'O', 'N', 'E'};

std::vector<std::uint32_t> OldStretchChecksums(std::string_view oldBytes, LONGLONG newLength) {
    std::vector<std::uint32_t> checksums;
    const auto oldLength = static_cast<LONGLONG>(oldBytes.size());
    ForEachStretch(oldLength, newLength, oldLength,
                   [&](LONGLONG begin, LONGLONG end) { checksums.push_back(Checksum(oldBytes, begin, end)); });
    return checksums;
}

std::string EncodeRecordHead(const JournalRecord& record, std::uint32_t newBytesCrc) {
    std::string head(kMagic, sizeof kMagic);
    PutField(head, std::uint32_t{0});
    PutField(head, static_cast<std::uint32_t>(record.path.size()));
    PutField(head, static_cast<std::uint32_t>(record.identity.volumeSerial));
    PutField(head, static_cast<std::uint64_t>(record.identity.fileIndex));
    PutField(head, static_cast<std::int64_t>(record.oldLength));
    PutField(head, static_cast<std::int64_t>(record.newBytes.size()));
    PutField(head, newBytesCrc);
    PutField(head, std::uint32_t{0});  // the head's checksum, once the rest is there
    PutPathUnits(head, record.path);
    for (std::uint32_t checksum : record.oldChecksums) PutField(head, checksum);
    const std::uint32_t headCrc = HeadChecksum(head);
    std::memcpy(head.data() + kHeadCrcAt, &headCrc, sizeof headCrc);
    return head;
}

size_t EncodedSize(const JournalRecord& record) {
    return kFixedHead + 2 * record.path.size() + 4 * record.oldChecksums.size() + record.newBytes.size();
}

std::vector<DecodedRecord> DecodeRecords(std::string_view journal) {
    std::vector<DecodedRecord> records;
    for (size_t at = 0; at < journal.size();) {
        std::optional<JournalRecord> record = DecodeOne(journal.substr(at));
        if (!record) break;
        const size_t size = EncodedSize(*record);
        records.push_back({at, std::move(*record)});
        at += size;
    }
    return records;
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
        const std::string_view stretch = file.substr(begin, end - begin);
        const bool isNew = end <= newLength && stretch == record.newBytes.substr(begin, end - begin);
        const bool isOld = end <= oldLength && Checksum(file, begin, end) == record.oldChecksums[oldIndex++];
        // A power cut may keep a grown file's new length without the bytes written beyond its old
        // one, which then read as zeros: not yet written, as if old.
        const bool unwritten = begin >= oldLength && stretch.find_first_not_of('\0') == std::string_view::npos;
        allOld = allOld && isOld;
        allNew = allNew && isNew;
        each = each && (isOld || isNew || unwritten);
    });
    if (allNew) return FileState::WhollyNew;
    if (allOld) return FileState::WhollyOld;
    return each ? FileState::PartWritten : FileState::Changed;
}

}  // namespace replace
