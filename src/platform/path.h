#pragma once
// A file or folder path as the system's wide functions give and take it: UTF-16, every name as it
// really is. Text in the ANSI code page (file contents, the two texts, the settings file) never
// becomes a path by accident: the one way from ANSI is FromAnsi, and back is AnsiForm.
#include <optional>
#include <string>

namespace platform {

class Path {
public:
    Path() = default;
    // Explicit, so that no wide text becomes a path without being named one.
    explicit Path(std::wstring text) : text_(std::move(text)) {}
    explicit Path(const wchar_t* text) : text_(text) {}

    // A path kept in the ANSI code page (the settings file).
    static Path FromAnsi(const std::string& text);

    const std::wstring& Text() const noexcept { return text_; }
    const wchar_t* c_str() const noexcept { return text_.c_str(); }
    bool empty() const noexcept { return text_.empty(); }
    size_t size() const noexcept { return text_.size(); }

    // The path in the ANSI code page when every character has an exact form there; none else.
    std::optional<std::string> AnsiForm() const;

    // `name` behind this folder, with one backslash between them and none added after a
    // trailing separator.
    Path Join(const std::wstring& name) const;
    // The folder with its trailing separator; empty when the path has none.
    Path Folder() const;
    // What stands behind the last backslash, slash or colon.
    std::wstring FileName() const;
    bool EndsWithSeparator() const noexcept;

    // The absolute form, with every "." and ".." taken out and every slash a backslash; the path
    // as it is when the system cannot make it absolute.
    Path Absolute() const;
    // The form to hand the file-system functions: a long absolute path in the \\?\ form, which
    // takes it past 260 characters on Windows; every other path as it is.
    std::wstring ForSystem() const;
    // A form for the shell functions that stop at 260 characters: the path itself when it fits,
    // else its short form when the volume has one that fits, else the path itself.
    std::wstring ForShell() const;
    // The 8.3 form the volume keeps for an existing path; empty when it keeps none.
    Path ShortForm() const;
    // The path as people and the shell write it: the long form's \\?\ taken off, and a share's
    // \\?\UNC\ given back as its two backslashes.
    Path WithoutLongPrefix() const;

    friend bool operator==(const Path& a, const Path& b) = default;

private:
    std::wstring text_;
};

// Equal as file names: without regard to letter case, as the file system compares them, and
// nothing else (a look-alike or another normal form is another file).
bool SameFileName(const std::wstring& a, const std::wstring& b);
inline bool SameFileName(const Path& a, const Path& b) { return SameFileName(a.Text(), b.Text()); }

}  // namespace platform
