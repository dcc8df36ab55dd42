#pragma once
// Where the line breaks of a byte stream are: a CR LF pair, a lone CR and a lone LF each make
// one break. The stream may arrive in pieces; a CR that ends one piece and an LF that starts the
// next are still one break.
namespace viewer {

class LineBreaks {
public:
    enum class Byte { Text, Break, RestOfBreak };

    // What the next byte of the stream is: text, the start of a break, or the LF of a CR LF.
    Byte Next(char c) noexcept {
        const bool wasAfterCr = afterCr_;
        afterCr_ = c == '\r';
        if (c == '\n' && wasAfterCr) return Byte::RestOfBreak;
        return c == '\r' || c == '\n' ? Byte::Break : Byte::Text;
    }

private:
    bool afterCr_ = false;
};

}  // namespace viewer
