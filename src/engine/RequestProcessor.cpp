#include "engine/RequestProcessor.h"

#include "engine/BaseCommand.h"

RequestProcessor::RequestProcessor() = default;

RequestProcessor::~RequestProcessor() = default;

Ixa::result RequestProcessor::HandleCommand(Ixa::Base::Object* command) { return post(command); }

void RequestProcessor::StopRequestProcessor() { stopAndJoin(); }

// The result code is not read: commands report their outcome through the response delegate.
void RequestProcessor::process(Ixa::Base::Object* object)
{
    if (auto command = dynamic_cast<BaseCommand*>(object)) {
        unsigned long result = Ixa::E_FAILURE;
        command->executeCommand(&result);
    }
    delete object;
}
