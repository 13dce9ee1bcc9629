#include "render/time_sync_dump.h"

#include "render/dump.h"
#include "render/fields.h"

namespace Zuno {

namespace {

void writeTimeLine(std::ostream& os, uint64_t time) { writeDateTimeLine(os, "time", time); }

template <class M>
std::ostream& writeTimeBlock(std::ostream& os, const M& m) {
    writeHeader(os, m);
    writeTimeLine(os, m.time);
    writeTrailer(os, m);
    return os;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const ZunoSyncTime& m) {
    writeHeader(os, m);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoSyncTimeResp& m) { return writeTimeBlock(os, m); }

std::ostream& operator<<(std::ostream& os, const ZunoSyncTime1F& m) {
    writeHeader(os, m);
    writeTimeLine(os, m.time);
    writeLanguageOrExtLine(os, m.languageOrExt);
    writeTrailer(os, m);
    return os;
}

std::ostream& operator<<(std::ostream& os, const ZunoSyncTime1FResp& m) { return writeTimeBlock(os, m); }

std::string ZunoSyncTime::toString() { return renderBlock(*this); }
std::string ZunoSyncTimeResp::toString() { return renderBlock(*this); }
std::string ZunoSyncTime1F::toString() { return renderBlock(*this); }
std::string ZunoSyncTime1FResp::toString() { return renderBlock(*this); }

} // namespace Zuno
