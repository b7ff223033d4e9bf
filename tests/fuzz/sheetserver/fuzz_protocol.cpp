// The line codec: any line decodes or is refused without harm, and whatever decodes encodes
// back to a line that decodes to the same fields.

#include "sheetserver/protocol.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string_view line = input.substr(start, end - start);
        if (const auto fields = sheetserver::decodeMessage(line)) {
            const std::string encoded = sheetserver::encodeMessage(*fields);
            if (encoded.back() != '\n')
                std::abort();
            const auto again =
                sheetserver::decodeMessage(std::string_view(encoded).substr(0, encoded.size() - 1));
            if (!again || *again != *fields)
                std::abort();
            for (const std::string &field : *fields)
                if (const auto cell = sheetserver::parseCellItem(field))
                    if (sheetserver::parseCellItem(sheetserver::cellItemName(*cell))->row !=
                        cell->row)
                        std::abort();
        }
        start = end + 1;
    }
    if (size == sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        const std::string text = sheetserver::formatNumber(value);
        const double back = std::strtod(text.c_str(), nullptr);
        if (value == value && back != value)
            std::abort();
    }
    return 0;
}
