#include "fostercare/fostercare_elements.h"

#include <gtest/gtest.h>

#include "adoption/adoption_elements.h"
#include "fields/fields.h"
#include "support/records.h"

using namespace vortel;
using namespace vortel::testing;

namespace {

std::string checked(RunContext& ctx, const std::string& record) {
    return checkedElements(ctx, RecordKind::FosterCare, record);
}

TEST(FosterCareElements, CleanRecordHasNoFinding) {
    auto ctx = makeContext();
    checked(*ctx, cleanFosterCareRecord());
    EXPECT_FALSE(ctx->cells(vortel::RecordKind::FosterCare).hasFinding())
        << states(ctx->cells(vortel::RecordKind::FosterCare), 1, 84);
}

TEST(FosterCareElements, AllBlankRecord) {
    auto ctx = makeContext();
    const std::string s = checked(*ctx, std::string(197, ' '));
    std::string expected;
    // Elements 1-66: '!' where a blank may be valid, '.' for 4, 8, 52 and 54.
    const std::string pending = "5 17 20 45 46 47 48 49 50 51 53 55 56 57 58";
    for (int e = 1; e <= 66; ++e) {
        const std::string key = std::to_string(e);
        bool p = false;
        std::size_t pos = 0;
        while ((pos = pending.find(key, pos)) != std::string::npos) {
            const bool startOk = pos == 0 || pending[pos - 1] == ' ';
            const bool endOk = pos + key.size() == pending.size() || pending[pos + key.size()] == ' ';
            if (startOk && endOk) p = true;
            ++pos;
        }
        expected.push_back(e == 4 || e == 8 || e == 52 || e == 54 ? '.' : p ? '!' : '1');
    }
    expected += "111111!!!!!!!!!!!!";
    EXPECT_EQ(s, expected);
}

TEST(FosterCareElements, ValueTests) {
    const struct {
        int column;
        const char* value;
        int cell;
        char state;
    } cases[] = {
        {1, "02", 1, '2'},          {1, " 1", 1, '2'},          {3, "199903", 2, '.'},   {3, "199906", 2, '2'},
        {3, "199409", 2, '2'},      {9, "01003", 3, '.'},       {9, "01005", 3, '2'},    {9, "0100 ", 3, '2'},
        {9, "01a01", 3, '2'},       {9, "     ", 3, '1'},       {42, "0", 7, '2'},       {42, "3", 7, '2'},
        {118, "9", 41, '2'},        {118, "0", 41, '2'},        {185, "0", 58, '.'},     {66, "00", 19, '2'},
        {66, " 5", 19, '.'},        {66, "5 ", 19, '.'},        {66, "5x", 19, '2'},     {100, "99", 24, '.'},
        {122, "2026", 45, '2'},     {122, "1900", 45, '.'},     {122, "1899", 45, '2'},  {169, "        ", 56, '!'},
        {169, "20261207", 56, '.'}, {169, "20261208", 56, '2'}, {193, "    0", 66, '.'}, {193, "00000", 66, '.'},
        {193, "1 000", 66, '2'},    {43, "2", 67, '2'},         {155, " ", 73, '!'},     {167, "2", 84, '2'},
        {57, "6", 17, '2'},         {57, " ", 17, '!'},         {146, "5", 49, '2'},
    };
    for (const auto& c : cases) {
        auto ctx = makeContext();
        std::string r = cleanFosterCareRecord();
        setField(r, c.column, c.value);
        checked(*ctx, r);
        EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(c.cell), c.state)
            << "column " << c.column << " = '" << c.value << "'";
    }
}

TEST(FosterCareElements, RaceElementsAsAWholeStayValid) {
    auto ctx = makeContext();
    std::string r = cleanFosterCareRecord();
    setField(r, 43, "xxxxxx");
    checked(*ctx, r);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(8), '.');
    EXPECT_EQ(states(ctx->cells(vortel::RecordKind::FosterCare), 67, 72), "222222");
}

TEST(FosterCareElements, LineOf150CharactersHasItsLineFeedInElement51) {
    auto ctx = makeContext();
    std::string r = cleanFosterCareRecord().substr(0, 150) + "\n";
    r.resize(197, ' ');
    checked(*ctx, r);
    EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(51), '2');
    EXPECT_EQ(states(ctx->cells(vortel::RecordKind::FosterCare), 73, 78), "!!!!!!");
    EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(59), '1');
    EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(66), '1');
}

TEST(FosterCareElements, EmptyAgencyListRejectsEveryCode) {
    // After a failed load the list is empty: a non-blank code is out of range.
    auto ctx = makeContext();
    ctx->facts.localAgencies.release();
    checked(*ctx, cleanFosterCareRecord());
    EXPECT_EQ(ctx->cells(vortel::RecordKind::FosterCare).state(3), '2');
}

}  // namespace

namespace {

TEST(ElementLayouts, DigitMaskAgreesWithTheCodeListForEveryByte) {
    for (auto layout : {vortel::fosterCareLayout(), vortel::adoptionLayout()})
        for (const vortel::ElementLayout& e : layout) {
            if (e.test != vortel::ElementTest::Code) continue;
            for (int b = 0; b < 256; ++b) {
                const char c = static_cast<char>(b);
                const unsigned digit = static_cast<unsigned char>(c) - static_cast<unsigned>('0');
                const bool maskFails = digit > 9 || ((e.digitMask >> digit) & 1u) == 0;
                EXPECT_EQ(maskFails, vortel::codeNotInList(c, e.codes)) << "cell " << e.cell << " byte " << b;
            }
        }
}

}  // namespace
