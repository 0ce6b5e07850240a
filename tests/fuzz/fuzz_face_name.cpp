// FONT_FACE as any bytes: read as a row is (UTF-8 or the code page) and handed to the system,
// with characters the face may lack. The name comes back as well-formed UTF-8, the font is had
// whatever the name, and each character says whether a face has it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "pages/row_encoding.h"
#include "platform/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<char32_t> codes;
    for (int k = input.ConsumeIntegralInRange(0, 4); k > 0; --k) {
        codes.push_back(input.ConsumeIntegralInRange<char32_t>(0x80, 0x10FFFF));
    }
    const std::string bytes = input.ConsumeRemainingBytesAsString().substr(0, 259);
    vantor::platform::CodePageCharacters codePage;
    vantor::platform::readCodePage(codePage);
    const std::string face = vantor::toUtf8(bytes.c_str(), codePage);
    if (vantor::detectEncoding(face.c_str()) == vantor::RowEncoding::kCodePage) std::abort();
    const auto font = vantor::platform::measureFont(face.c_str(), 18, codes.data(),
                                                    static_cast<int>(codes.size()));
    // fontconfig answers any name with some face.
    if (!font || font->characters.size() != codes.size()) std::abort();
    return 0;
}
