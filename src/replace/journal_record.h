#pragma once
// One record of the rewrite journal: what finishing an interrupted in-place rewrite needs, which
// file it is for, and how to tell a file that the interruption left from one that somebody has
// changed since.
//
// A rewrite writes the new bytes over the old ones in page-sized steps, and a kill or a power cut
// can stop it between any two pages. The file is therefore cut into stretches, at every page
// boundary and at its old and new lengths: after an interruption each stretch holds either its
// old bytes (known by their checksum) or its new bytes (kept whole in the record). A stretch that
// holds neither, or a length the rewrite never gives the file, means another writer was there.
#include "platform/file_system.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace replace {

// A page: the unit in which a kill or the page cache leaves a write done or undone.
constexpr LONGLONG kStretchBytes = 4096;

// The checksum of every stretch of the old bytes, for a rewrite to `newLength` bytes.
std::vector<std::uint32_t> OldStretchChecksums(std::string_view oldBytes, LONGLONG newLength);

struct JournalRecord {
    platform::Path path;  // the file's full path
    platform::FileIdentity identity;
    LONGLONG oldLength = 0;
    std::vector<std::uint32_t> oldChecksums;
    std::string_view newBytes;
    // Its file's new bytes reached the disk: the record is only history.
    bool done = false;
};

// The record's bytes up to the new bytes, which follow it in the journal; `newBytesCrc` is their
// checksum, so that a record whose writing was cut short is never taken for a whole one.
std::string EncodeRecordHead(const JournalRecord& record, std::uint32_t newBytesCrc);
// The record's whole length in the journal, head and new bytes.
size_t EncodedSize(const JournalRecord& record);
// Where in a record the mark that its file is done lies, and the mark; the mark is left out of
// the checksums, so that it can be written over a record without writing the record again.
constexpr size_t kDoneMarkAt = 4;
extern const char kDoneMark[4];

// The records a journal holds, one after another, each with where it starts, their new bytes
// pointing into `journal`. The reading stops at the first record not written whole; every length
// is checked against what the journal holds before it is used.
struct DecodedRecord {
    size_t at;
    JournalRecord record;
};
std::vector<DecodedRecord> DecodeRecords(std::string_view journal);

enum class FileState {
    WhollyOld,    // the rewrite changed nothing that reached the file
    WhollyNew,    // the rewrite ended
    PartWritten,  // each stretch old or new: writing the new bytes again finishes it
    Changed,      // somebody wrote the file since: it keeps its bytes
};
FileState Classify(std::string_view file, const JournalRecord& record);

}  // namespace replace
