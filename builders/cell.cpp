#include "builders/cell.h"

#include <type_traits>

#include "builders/value_blocks.h"
#include "protocol/lbs.h"

namespace {

using namespace Zuno;

// The cell report, "时间提前量" for all but 0x18, and "语言" (low byte).
template <class M>
std::shared_ptr<ZunoMSG> makeLbs(const LabelValueMap& fields) {
    constexpr bool withTimeOffset = std::is_base_of<ZunoLbsInfo28, M>::value;
    CellReportValues v;
    uint16_t language = 0;
    LabelTable labels;
    addCellReportLabels(labels, v, withTimeOffset);
    labels.push_back(rule::lowByte("语言", language));
    if (!readFields(fields, labels) || !cellReportComplete(v)) return nullptr;
    auto msg = std::make_shared<M>();
    copyCellReport(*msg, v);
    msg->language = language;
    if constexpr (withTimeOffset) msg->timeOffset = v.timeOffset;
    return msg;
}

} // namespace

namespace MessageBuilder {

std::shared_ptr<ZunoMSG> makeLbsInfo18(const LabelValueMap& fields) {
    return makeLbs<ZunoLbsInfo18>(fields);
}
std::shared_ptr<ZunoMSG> makeLbsInfo28(const LabelValueMap& fields) {
    return makeLbs<ZunoLbsInfo28>(fields);
}
std::shared_ptr<ZunoMSG> makeLbsInfo2E(const LabelValueMap& fields) {
    return makeLbs<ZunoLbsInfo2E>(fields);
}
std::shared_ptr<ZunoMSG> makeLbsInfoA1(const LabelValueMap& fields) {
    return makeLbs<ZunoLbsInfoA1>(fields);
}

} // namespace MessageBuilder
