// Any text, as typed in the print dialog or read back from the settings
// file, names variants of the test or is refused with a reason: never a
// crash, a variant the test lacks or one variant twice.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "core/print/variant_choice.h"
#include "core/text/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int count = input.ConsumeIntegralInRange(1, 50);
    const int current = input.ConsumeIntegralInRange(-1, 52);
    const std::string text = input.ConsumeRemainingBytesAsString();
    try {
        const std::vector<int> chosen = quizloom::print::chosenVariants(text, current, count);
        const std::set<int> distinct(chosen.begin(), chosen.end());
        if (chosen.empty() || distinct.size() != chosen.size() || *distinct.begin() < 1 ||
            *distinct.rbegin() > count)
            std::abort();
    } catch (const quizloom::Error& e) {
        if (std::string(e.what()).empty())
            std::abort();
    }
    return 0;
}
