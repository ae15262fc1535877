// The situation list on any bytes: every label it lets in can be stored, and
// a list written back reads as the same labels.
#include "core/codepage.h"
#include "fuzz_folder.h"
#include "setup/situation_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFolder folder;
    folder.reset();
    folder.put(setup::kSituationFile, asText(data, size));
    setup::SituationFile list = setup::readSituationFile(folder.dir());
    for (const std::string& label : list.labels) require(core::isStorableText(label));
    if (setup::writeSituationList(folder.dir(), list.labels, setup::LabelForm::Quoted))
        require(setup::readSituationFile(folder.dir()).labels == list.labels);
    return 0;
}
