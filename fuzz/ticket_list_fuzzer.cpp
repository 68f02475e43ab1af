// The ticket files of vantric-batch multi --from: any bytes in, counts or refused lines out.
#include "batch/TicketListFile.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const batch::TicketList list = batch::ReadTicketList(bytes);
    // A file is refused whole, or line by line, or read: never both a file-wide reason and lines.
    FUZZ_CHECK(list.error.isEmpty() || (list.counts.empty() && list.refused.empty()));
    for (const int32_t count : list.counts) {
        FUZZ_CHECK(count >= 1 && count <= 999);
    }
    // Refused lines come in the file's order, each with a reason, none past the file's lines.
    // Lines end at LF, CR LF or a lone CR, as in a settings file.
    const int32_t lines =
        int32_t(bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n")) + 1;
    int32_t previous = 0;
    for (const batch::RefusedTicketLine& line : list.refused) {
        FUZZ_CHECK(line.line > previous && line.line <= lines && !line.reason.isEmpty());
        previous = line.line;
    }
    return 0;
}
