// One libFuzzer target; CORVELLA_FUZZ_CHECK names the property check it runs.
// A broken property aborts, so libFuzzer keeps the input as a finding.
#include "FuzzChecks.h"

#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Laying out text (help pages) needs the application's fonts; no screen is
// needed for that.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    static int argc = 1;
    static char name[] = "corvella-fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return 0;
}

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
