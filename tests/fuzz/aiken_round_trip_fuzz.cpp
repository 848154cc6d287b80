// Random Aiken documents: the reader never crashes, and a test it
// reads comes back the same through a test file and our own export.
#include "exchange_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quizloom::fuzz::expectRoundTrip("Aiken round trip fuzz", quizloom::exchange::Format::Aiken, data, size);
    return 0;
}
