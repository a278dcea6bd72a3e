// Simulated bearing source.
#include "platform/sim/sim_help_bearing.h"

#include "base/program_error.h"

namespace tarvello::sim {
namespace {

class SimBearingSource : public BearingSource {
public:
    explicit SimBearingSource(SimBearingSourceFactory& factory) : factory_(factory) {}
    std::wstring ReadBearingText() override {
        ++factory_.reads;
        if (!factory_.answers)
            throw ProgramError(error_number::kAutomationError);
        return factory_.text;
    }

private:
    SimBearingSourceFactory& factory_;
};

}  // namespace

std::unique_ptr<BearingSource> SimBearingSourceFactory::Create() {
    if (!creatable)
        throw ProgramError(error_number::kBearingSource);
    ++created;
    return std::make_unique<SimBearingSource>(*this);
}

}  // namespace tarvello::sim
