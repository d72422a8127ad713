// One libFuzzer target; CORVELLA_FUZZ_CHECK names the property check it runs.
// A broken property aborts, so libFuzzer keeps the input as a finding.
#include "FuzzChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString why = corv::fuzz::CORVELLA_FUZZ_CHECK(input);
    if (!why.isEmpty()) {
        std::fprintf(stderr, "PROPERTY BROKEN: %s\n", why.toUtf8().constData());
        std::abort();
    }
    return 0;
}
