// The DDE client's line format over arbitrary bytes: the receive buffer never hands out a line
// longer than the limit nor one with a line break, and every line that decodes encodes back to
// itself.

#include "engine/dde_protocol.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    dde::LineBuffer buffer;
    // Fed in uneven chunks, as a socket delivers them.
    std::size_t at = 0;
    std::size_t chunk = 1;
    while (at < bytes.size() && !buffer.failed()) {
        buffer.append(bytes.substr(at, chunk));
        at += chunk;
        chunk = chunk * 3 % 17 + 1;
        while (auto line = buffer.takeLine()) {
            check(line->size() <= dde::kMaxLineBytes);
            check(line->find('\n') == std::string::npos);
            if (auto fields = dde::decodeMessage(*line)) {
                check(!fields->empty());
                const std::string encoded = dde::encodeMessage(*fields);
                check(encoded == *line + "\n");
            }
        }
    }
    return 0;
}
