// lumo4: started at every logon, performs one rotation step and ends.
#include <exception>

#include "applier/RotationStep.h"
#include "platform/ErrorReport.h"
#include "platform/Registry.h"

int main() {
    try {
        auto registry = lumora::OpenRegistry();
        lumora::RunRotationStep(*registry);
        return 0;
    } catch (const std::exception& error) {
        // A failed step must not read as success to whoever started us.
        lumora::ReportApplierError(error.what());
        return 1;
    }
}
