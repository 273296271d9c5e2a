// Which report gets the error listing at the end of a run without detail
// records, run through the whole program.
#include <string>

#include <gtest/gtest.h>

#include "footnotes/listing_texts.h"
#include "support/program_run.h"

namespace vortel {
namespace {

using namespace vortel::testing;

const std::string kNoAdoptionData = "\n\nNo Adoption Data Found";
const std::string kNoFosterCareData = "\n\nNo Foster Care Data Found";

struct Reports {
    std::string adoption;
    std::string fosterCare;
    std::string err;
};

Reports run(const std::string& data, const MemoryLimits& limits = {}) {
    ScratchDir dir;
    writeFile(dir / "data.txt", data);
    writeFile(dir / "fips.lst", "01001\n01003\n");
    const RunResult r = runIn(dir.path(), standardArgs(), "", limits);
    EXPECT_EQ(r.status, 0);
    return {readReport(dir / "areport.txt"), readReport(dir / "freport.txt"), r.err};
}

// What each report holds after its heading.
std::string afterHeading(const std::string& report, const std::string& heading) {
    EXPECT_EQ(report.substr(0, heading.size()), heading);
    return report.substr(heading.size());
}

struct EndCase {
    const char* name;
    std::string data;
    MemoryLimits limits;
    std::string adoption;
    std::string fosterCare;
};

TEST(EndOfRun, ListingWithoutDetailRecords) {
    // The headings, taken from a run that writes nothing else.
    const Reports blank = run("%%01202609A05\n");
    ASSERT_TRUE(blank.adoption.ends_with(kNoAdoptionData));
    ASSERT_TRUE(blank.fosterCare.ends_with(kNoFosterCareData));
    const std::string adoptionHeading = blank.adoption.substr(0, blank.adoption.size() - kNoAdoptionData.size());
    const std::string fosterCareHeading =
        blank.fosterCare.substr(0, blank.fosterCare.size() - kNoFosterCareData.size());

    MemoryLimits noAggregateRoom;
    noAggregateRoom.messages[vortel::listIndex(vortel::MessageListId::AdoptionAggregate)] = 0;
    MemoryLimits noFootnoteRoom;
    noFootnoteRoom.messages[vortel::listIndex(vortel::MessageListId::AdoptionFootnotes)] = 0;
    noFootnoteRoom.messages[vortel::listIndex(vortel::MessageListId::FosterCareFootnotes)] = 0;

    const std::string aggregateLine = "#\n02199503" + std::string(160, '0') + "\n";
    const EndCase cases[] = {
        {"correct records only",
         "#\n01199503" + std::string(160, '0') + "\n%%01202609F05\n",
         {},
         kNoAdoptionData,
         kNoFosterCareData},
        {"aggregate errors only",
         aggregateLine,
         {},
         kAggregateTitle + kColumns + "\nIncorrect State FIPS code.",
         kNoFosterCareData},
        {"adoption footnote only",
         "%%01202609G30\n",
         {},
         kFootnoteTitle + kColumns + "\nFootnote 001:  Invalid element number." + kBulletin,
         kNoFosterCareData},
        {"foster care footnote only",
         "%%01202609F70\n",
         {},
         kNoAdoptionData,
         kFootnoteTitle + kColumns + "\nFootnote 001:  Invalid element number." + kBulletin},
        {"footnote for both files",
         "%%01202609Z05\n",
         {},
         kFootnoteTitle + kColumns + "\nFootnote 001:  Invalid file type." + kBulletin,
         kFootnoteTitle + kColumns + "\nFootnote 001:  Invalid file type." + kBulletin},
        {"aggregate list lost to memory", aggregateLine, noAggregateRoom,
         kAggregateTitle + kColumns + "\n\nNOTE:  The program was unable to print adoption aggregate errors because" +
             kNoteEnd,
         kNoFosterCareData},
        {"footnote lists lost to memory", "%%01202609Z05\n", noFootnoteRoom,
         kFootnoteTitle + kColumns + "\n\nNOTE:  The program was unable to print adoption footnote errors because" +
             kNoteEnd,
         kNoFosterCareData},
        {"foster care footnotes lost to memory", "%%01202609F70\n", noFootnoteRoom, kNoAdoptionData,
         kFootnoteTitle + kColumns + "\n\nNOTE:  The program was unable to print foster care footnote errors because" +
             kNoteEnd},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Reports r = run(c.data, c.limits);
        EXPECT_EQ(afterHeading(r.adoption, adoptionHeading), c.adoption);
        EXPECT_EQ(afterHeading(r.fosterCare, fosterCareHeading), c.fosterCare);
    }
}

}  // namespace
}  // namespace vortel
