// The journal: a record is read back only when it was written whole, an interrupted rewrite is
// recognised at every page it can stop at, and only a record of the user's own, for the very file
// it names, is ever acted on.
#include "replace/rewrite_journal.h"

#include "platform/code_page.h"
#include "replace/crc32.h"
#include "replace/journal_record.h"
#include "replace/rewrite.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using replace::FileState;
using replace::JournalRecord;
using replace::kStretchBytes;

std::string Bytes(size_t size, char seed) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(seed + i % 23);
    return bytes;
}

JournalRecord RecordFor(const std::string& old, const std::string& now) {
    return JournalRecord{platform::Path(L"C:\\folder\\file.txt"), {7, 42}, static_cast<LONGLONG>(old.size()),
                         replace::OldStretchChecksums(old, static_cast<LONGLONG>(now.size())), now};
}

std::string Encoded(const JournalRecord& record) {
    return replace::EncodeRecordHead(record, replace::Crc32(record.newBytes.data(), record.newBytes.size())) +
           std::string(record.newBytes);
}

// What the file holds when the rewrite stops after `done` bytes of `bytes` written at `offset`,
// a kill leaving a write done up to a page boundary of the file.
std::vector<std::string> StopsOfAWrite(std::string file, size_t offset, const std::string& bytes) {
    std::vector<std::string> stops;
    for (size_t end = offset; end < offset + bytes.size(); end = (end / kStretchBytes + 1) * kStretchBytes) {
        std::string stopped = file;
        const size_t done = end - offset;
        if (stopped.size() < end) stopped.resize(end);
        stopped.replace(offset, done, bytes.substr(0, done));
        stops.push_back(stopped);
    }
    return stops;
}

TEST(Crc32, GivesTheStandardCheckValue) { EXPECT_EQ(replace::Crc32("123456789", 9), 0xCBF43926u); }

TEST(JournalRecord, EveryStopOfTheRewriteIsRecognisedAndAnyOtherWriteIsNot) {
    const struct {
        size_t oldSize, newSize;
    } cases[] = {{10000, 5000}, {5000, 13000}, {9000, 9000}, {3, 8200}, {8192, 4096}, {12, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.oldSize) + " to " + std::to_string(c.newSize));
        const std::string old = Bytes(c.oldSize, 'a'), now = Bytes(c.newSize, 'A');
        const JournalRecord record = RecordFor(old, now);
        EXPECT_EQ(replace::Classify(old, record), FileState::WhollyOld);
        EXPECT_EQ(replace::Classify(now, record), FileState::WhollyNew);
        // The tail beyond the old length first, then the rest from the start, then the new end. A
        // power cut may keep the grown length with zeros for the tail.
        std::vector<std::string> stops;
        std::string grown = old;
        if (now.size() > old.size()) {
            stops = StopsOfAWrite(old, old.size(), now.substr(old.size()));
            stops.push_back(old + std::string(now.size() - old.size(), '\0'));
            grown = old + now.substr(old.size());
        }
        const size_t over = std::min(old.size(), now.size());
        for (const std::string& stop : StopsOfAWrite(grown, 0, now.substr(0, over))) stops.push_back(stop);
        stops.push_back(now + grown.substr(now.size()));  // all written, not yet cut
        for (size_t i = 0; i < stops.size(); ++i) {
            const std::string& stop = stops[i];
            if (stop == old || stop == now) continue;
            EXPECT_EQ(replace::Classify(stop, record), FileState::PartWritten) << "stop " << i;
            // Anybody else's byte, the first or the last of any stretch, or a byte added, is a change.
            for (size_t edge = 0; edge < stop.size(); edge += kStretchBytes) {
                for (size_t at : {edge, std::min(edge + kStretchBytes, stop.size()) - 1}) {
                    std::string changed = stop;
                    changed[at] ^= 0x01;
                    EXPECT_EQ(replace::Classify(changed, record), FileState::Changed) << "stop " << i << " at " << at;
                }
            }
            EXPECT_EQ(replace::Classify(stop + "x", record), FileState::Changed) << "stop " << i;
        }
    }
}

TEST(JournalRecord, RecordsAreReadBackOnlyWhenWrittenWholeAndNoLengthIsTakenOnTrust) {
    const std::string old = Bytes(6000, 'a'), now = Bytes(5000, 'A'), other = Bytes(300, 'k');
    const JournalRecord first = RecordFor(old, now), second = RecordFor(now, other);
    const std::string journal = Encoded(first) + Encoded(second);
    const std::vector<replace::DecodedRecord> read = replace::DecodeRecords(journal);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(Encoded(read[0].record) + Encoded(read[1].record), journal);
    EXPECT_EQ(read[1].at, Encoded(first).size());
    for (size_t cut = 0; cut < journal.size(); cut += 97)
        EXPECT_EQ(replace::DecodeRecords(journal.substr(0, cut)).size(), cut < read[1].at ? 0u : 1u) << cut;
    for (size_t at = 0; at < journal.size(); at += 89) {
        std::string torn = journal;
        torn[at] ^= 0x01;
        const bool doneMark = at >= replace::kDoneMarkAt && at < replace::kDoneMarkAt + 4;
        EXPECT_EQ(replace::DecodeRecords(torn).size(), doneMark ? 2u : at < read[1].at ? 0u : 1u) << at;
    }
    std::string done = journal;
    done.replace(replace::kDoneMarkAt, 4, replace::kDoneMark, 4);
    EXPECT_TRUE(replace::DecodeRecords(done)[0].record.done);
    EXPECT_FALSE(replace::DecodeRecords(done)[1].record.done);
    // Lengths that claim more than the journal holds are refused before anything is made of them.
    for (size_t at : {size_t{8}, size_t{24}, size_t{32}}) {
        std::string huge = Encoded(second);
        huge.replace(at, 4, "\xff\xff\xff\x7f", 4);
        EXPECT_TRUE(replace::DecodeRecords(huge).empty()) << at;
    }
}

// A rewrite stopped as a kill stops it: its record on the disk, its file as `now`, nothing held.
void StopAfterTheRecord(const platform::Path& file, const platform::Path& journalFolder, const std::string& old,
                        const std::string& now) {
    test_support::WriteFileBytes(file, old);
    replace::RewriteJournal journal(platform::SystemFileSystem(), journalFolder);
    {
        replace::Rewrite rewrite(file, platform::SystemFileSystem());
        rewrite.Prepare("o", "0", platform::SystemCodePage());
        journal.Write({&rewrite});
    }
    journal.Keep();
    test_support::WriteFileBytes(file, now);
}

// Each journal in the private folder as a stopped program, or somebody else, may leave it; only the
// user's own record for the very file it names, part-written, makes any change.
TEST(FinishInterruptedRewrites, FinishesOnlyTheUsersOwnRecordOfTheVeryFile) {
    std::string old = Bytes(9000, 'a');
    for (size_t at = 0; at < old.size(); at += 50) old[at] = 'o';
    std::string now = old;
    std::replace(now.begin(), now.end(), 'o', '0');
    const std::string partWritten = now.substr(0, 4096) + old.substr(4096);
    enum class Then { Nothing, Hold, Truncate, ReadOnly, Remove, Replace, MarkDone, Plant };
    const struct {
        const char* name;
        std::string before;  // the file as the stop left it
        Then then;           // what happened between the stop and the finishing
        std::string after;   // the file after it
        bool journalStays;
    } cases[] = {
        {"part-written", partWritten, Then::Nothing, now, false},
        {"untouched", old, Then::Nothing, old, false},
        {"written whole", now, Then::Nothing, now, false},
        {"changed since", partWritten + "more", Then::Nothing, partWritten + "more", false},
        {"record cut short", partWritten, Then::Truncate, partWritten, false},
        {"record marked done", partWritten, Then::MarkDone, partWritten, false},
        {"journal of a running command", partWritten, Then::Hold, partWritten, true},
        {"file made read-only", partWritten, Then::ReadOnly, partWritten, true},
        {"file gone (a drive not there)", partWritten, Then::Remove, "", true},
        {"another file at its name", partWritten, Then::Replace, partWritten, false},
        {"a journal somebody else put there", partWritten, Then::Plant, partWritten, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::TempFolder folder, journals;
        const platform::Path file = folder.PathOf("file.txt");
        StopAfterTheRecord(file, journals.Path(), old, c.before);
        ASSERT_EQ(journals.Names().size(), 1u);
        platform::Path journal = journals.Path().Join(journals.Names()[0]);
        platform::UniqueFile held;
        switch (c.then) {
        case Then::Hold:
            held.reset(::CreateFileW(journal.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            break;
        case Then::Truncate: {
            const std::string bytes = test_support::ReadFileBytes(journal);
            test_support::WriteFileBytes(journal, bytes.substr(0, bytes.size() - 1));
        } break;
        case Then::MarkDone: {
            std::string bytes = test_support::ReadFileBytes(journal);
            test_support::WriteFileBytes(journal, bytes.replace(replace::kDoneMarkAt, 4, replace::kDoneMark, 4));
        } break;
        case Then::ReadOnly: ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY); break;
        case Then::Remove: ::DeleteFileW(file.c_str()); break;
        case Then::Replace:
            ::MoveFileW(file.c_str(), folder.PathOf("moved.txt").c_str());
            test_support::WriteFileBytes(file, c.before);
            break;
        case Then::Plant: {
            // The same bytes in a file made the ordinary way, open to every user.
            const std::string bytes = test_support::ReadFileBytes(journal);
            ::DeleteFileW(journal.c_str());
            journal = journals.Path().Join(L"planted.journal");
            test_support::WriteFileBytes(journal, bytes);
        } break;
        case Then::Nothing: break;
        }
        replace::FinishInterruptedRewrites(platform::SystemFileSystem(), journals.Path());
        held.reset();
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!c.after.empty()) EXPECT_EQ(test_support::ReadFileBytes(file), c.after);
        EXPECT_EQ(::GetFileAttributesW(journal.c_str()) != INVALID_FILE_ATTRIBUTES, c.journalStays);
    }
}

}  // namespace
