#pragma once
// Which kinds of directory entry a listing shows: a set of attribute members and the
// attribute bits they stand for.
#include <windows.h>

#include <initializer_list>

namespace browse {

enum TFileAttr { ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive, ftNormal };

// The volume-label bit has no name of its own in the platform headers.
constexpr DWORD kVolumeIdAttribute = 0x08;

class TFileType {
public:
    constexpr TFileType() noexcept = default;
    constexpr TFileType(std::initializer_list<TFileAttr> members) noexcept {
        for (TFileAttr member : members) bits_ |= Bit(member);
    }
    constexpr bool Contains(TFileAttr member) const noexcept { return (bits_ & Bit(member)) != 0; }
    friend constexpr bool operator==(TFileType, TFileType) noexcept = default;

private:
    static constexpr unsigned Bit(TFileAttr member) noexcept { return 1u << member; }
    unsigned bits_ = 0;
};

// The platform's attribute bits of the members that have one; ftNormal adds none.
constexpr DWORD AttributeWord(TFileType type) noexcept {
    constexpr DWORD kBits[] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                               kVolumeIdAttribute,      FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_ARCHIVE, 0};
    DWORD word = 0;
    for (int member = ftReadOnly; member <= ftNormal; ++member)
        if (type.Contains(static_cast<TFileAttr>(member))) word |= kBits[member];
    return word;
}

}  // namespace browse
