// The journal: a record is read back only when it was written whole, an interrupted rewrite is
// recognised at every page it can stop at, and the next listing finishes it, or leaves a file that
// somebody changed since, with its journal, as it is.
#include "replace/rewrite_journal.h"

#include "replace/crc32.h"
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
    return JournalRecord{L"file.txt", static_cast<LONGLONG>(old.size()),
                         replace::OldStretchChecksums(old, static_cast<LONGLONG>(now.size())), now};
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
        // The tail beyond the old length first, then the rest from the start, then the new end.
        std::vector<std::string> stops;
        std::string grown = old;
        if (now.size() > old.size()) {
            stops = StopsOfAWrite(old, old.size(), now.substr(old.size()));
            grown = old + now.substr(old.size());
        }
        const size_t over = std::min(old.size(), now.size());
        for (const std::string& stop : StopsOfAWrite(grown, 0, now.substr(0, over))) stops.push_back(stop);
        stops.push_back(now + grown.substr(now.size()));  // all written, not yet cut
        for (size_t i = 0; i < stops.size(); ++i) {
            const std::string& stop = stops[i];
            if (stop == old || stop == now) continue;
            EXPECT_EQ(replace::Classify(stop, record), FileState::PartWritten) << "stop " << i;
            // Anybody else's byte, or a byte added, is a change.
            std::string changed = stop;
            changed[changed.size() / 2] ^= 0x01;
            EXPECT_EQ(replace::Classify(changed, record), FileState::Changed) << "stop " << i;
            EXPECT_EQ(replace::Classify(stop + "x", record), FileState::Changed) << "stop " << i;
        }
    }
}

TEST(JournalRecord, ARecordIsReadBackOnlyWhenWrittenWhole) {
    const std::string old = Bytes(6000, 'a'), now = Bytes(5000, 'A');
    const JournalRecord record = RecordFor(old, now);
    const std::string journal = replace::EncodeRecordHead(record, replace::Crc32(now.data(), now.size())) + now;
    const std::optional<JournalRecord> read = replace::DecodeRecord(journal);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, record.name);
    EXPECT_EQ(read->oldLength, record.oldLength);
    EXPECT_EQ(read->oldChecksums, record.oldChecksums);
    EXPECT_EQ(read->newBytes, now);
    for (size_t cut = 0; cut < journal.size(); cut += 97) EXPECT_FALSE(replace::DecodeRecord(journal.substr(0, cut))) << cut;
    for (size_t at = 0; at < journal.size(); at += 89) {
        std::string torn = journal;
        torn[at] ^= 0x01;
        EXPECT_FALSE(replace::DecodeRecord(torn)) << at;
    }
}

// A journal left as a killed rewrite leaves it: written whole, the file part-written or not.
platform::Path LeaveJournal(const test_support::TempFolder& folder, const std::string& old, const std::string& now) {
    replace::RewriteJournal journal(platform::SystemFileSystem(), folder.Path());
    EXPECT_TRUE(journal.Write(RecordFor(old, now), replace::Crc32(now.data(), now.size())));
    journal.Keep();
    for (const std::wstring& name : folder.Names())
        if (name != L"file.txt") return folder.Path().Join(name);
    return {};
}

TEST(FinishInterruptedRewrites, FinishesWhatTheKillLeftAndNothingElse) {
    const std::string old = Bytes(9000, 'a'), now = Bytes(7000, 'A');
    const std::string partWritten = now.substr(0, 4096) + old.substr(4096);
    const struct {
        const char* name;
        std::string before;  // the file when the folder is listed; empty: gone
        bool tornJournal, journalHeld;
        std::string after;
        bool journalStays;
    } cases[] = {
        {"part-written", partWritten, false, false, now, false},
        {"untouched", old, false, false, old, false},
        {"changed since", partWritten + "more", false, false, partWritten + "more", true},
        {"torn journal", partWritten, true, false, partWritten, false},
        {"journal of a running command", partWritten, false, true, partWritten, true},
        {"file gone", "", false, false, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::TempFolder folder;
        const platform::Path journal = LeaveJournal(folder, old, now);
        if (!c.before.empty()) folder.WriteFile("file.txt", c.before);
        platform::UniqueFile held{
            ::CreateFileW(journal.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
        ASSERT_TRUE(held);
        if (c.tornJournal) {
            ::SetFilePointer(held.get(), -1, nullptr, FILE_END);
            ::SetEndOfFile(held.get());
        }
        if (!c.journalHeld) held.reset();
        replace::FinishInterruptedRewrites(platform::SystemFileSystem(), folder.Path());
        held.reset();
        if (!c.after.empty()) {
            EXPECT_EQ(test_support::ReadFileBytes(folder.Path().Join(L"file.txt")), c.after);
        }
        EXPECT_EQ(::GetFileAttributesW(journal.c_str()) != INVALID_FILE_ATTRIBUTES, c.journalStays);
    }
}

}  // namespace
