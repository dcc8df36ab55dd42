#include "replace/undo_manifest.h"

#include "replace/byte_fields.h"
#include "replace/crc32.h"

namespace replace {

namespace {

// The manifest: magic "ZVU1", kind, why nothing was kept, the folder's and the entries' count,
// the folder, the entries, and a CRC-32 of all that went before. An entry: its path's length,
// volume serial, file index, old last-write time, new length, new checksum, new last-write time,
// whether its old bytes are kept, where and how many, their checksum, and its path.
constexpr char kMagic[4] = {'Z', 'V', 'U', '1'};
constexpr size_t kHead = 4 + 4 + 4 + 4 + 4, kEntryFixed = 4 + 4 + 8 + 8 + 8 + 4 + 8 + 4 + 8 + 8 + 4;

void PutEntry(std::string& out, const UndoEntry& e) {
    PutField(out, static_cast<std::uint32_t>(e.path.size()));
    PutField(out, static_cast<std::uint32_t>(e.identity.volumeSerial));
    PutField(out, static_cast<std::uint64_t>(e.identity.fileIndex));
    PutField(out, e.oldLastWrite.QuadPart);
    PutField(out, static_cast<std::int64_t>(e.newLength));
    PutField(out, e.newCrc);
    PutField(out, e.newLastWrite.QuadPart);
    PutField(out, std::uint32_t{e.changed});
    PutField(out, static_cast<std::int64_t>(e.keptAt));
    PutField(out, static_cast<std::int64_t>(e.oldLength));
    PutField(out, e.oldCrc);
    PutPathUnits(out, e.path);
}

// The entry at `at`, and where the next begins.
std::optional<std::pair<UndoEntry, size_t>> GetEntry(std::string_view in, size_t at) {
    if (in.size() - at < kEntryFixed) return std::nullopt;
    UndoEntry e;
    const auto units = GetField<std::uint32_t>(in, at);
    e.identity = {GetField<std::uint32_t>(in, at + 4), GetField<std::uint64_t>(in, at + 8)};
    e.oldLastWrite.QuadPart = GetField<std::int64_t>(in, at + 16);
    e.newLength = GetField<std::int64_t>(in, at + 24);
    e.newCrc = GetField<std::uint32_t>(in, at + 32);
    e.newLastWrite.QuadPart = GetField<std::int64_t>(in, at + 36);
    e.changed = GetField<std::uint32_t>(in, at + 44) != 0;
    e.keptAt = GetField<std::int64_t>(in, at + 48);
    e.oldLength = GetField<std::int64_t>(in, at + 56);
    e.oldCrc = GetField<std::uint32_t>(in, at + 64);
    std::optional<platform::Path> path = GetPathUnits(in, at + kEntryFixed, units);
    if (!path || e.newLength < 0 || e.keptAt < 0 || e.oldLength < 0) return std::nullopt;
    e.path = std::move(*path);
    return std::make_pair(std::move(e), at + kEntryFixed + 2 * size_t{units});
}

}  // namespace

std::string EncodeUndoManifest(const UndoManifest& manifest) {
    std::string out(kMagic, sizeof kMagic);
    PutField(out, static_cast<std::uint32_t>(manifest.kind));
    PutField(out, static_cast<std::uint32_t>(manifest.notKept));
    PutField(out, static_cast<std::uint32_t>(manifest.folder.size()));
    PutField(out, static_cast<std::uint32_t>(manifest.entries.size()));
    PutPathUnits(out, manifest.folder);
    for (const UndoEntry& entry : manifest.entries) PutEntry(out, entry);
    PutField(out, Crc32(out.data(), out.size()));
    return out;
}

std::optional<UndoManifest> DecodeUndoManifest(std::string_view bytes) {
    if (bytes.size() < kHead + 4 || bytes.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0) return std::nullopt;
    const std::string_view in = bytes.substr(0, bytes.size() - 4);
    if (Crc32(in.data(), in.size()) != GetField<std::uint32_t>(bytes, in.size())) return std::nullopt;
    UndoManifest manifest;
    const auto kind = GetField<std::uint32_t>(in, 4), notKept = GetField<std::uint32_t>(in, 8);
    if (kind < 1 || kind > 2 || notKept > 2) return std::nullopt;
    manifest.kind = static_cast<UndoKind>(kind);
    manifest.notKept = static_cast<NotKept>(notKept);
    std::optional<platform::Path> folder = GetPathUnits(in, kHead, GetField<std::uint32_t>(in, 12));
    if (!folder) return std::nullopt;
    manifest.folder = std::move(*folder);
    size_t at = kHead + 2 * manifest.folder.size();
    for (std::uint32_t i = 0, count = GetField<std::uint32_t>(in, 16); i < count; ++i) {
        std::optional<std::pair<UndoEntry, size_t>> entry = GetEntry(in, at);
        if (!entry) return std::nullopt;
        manifest.entries.push_back(std::move(entry->first));
        at = entry->second;
    }
    if (at != in.size()) return std::nullopt;
    return manifest;
}

}  // namespace replace
