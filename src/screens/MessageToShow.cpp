#include "screens/MessageToShow.h"

long long MessageToShow::messageId_ = 0;

void MessageToShow::Set(long long messageId) { messageId_ = messageId; }

int MessageToShow::TakeRow(const std::vector<std::unique_ptr<Message>>& messages)
{
    const long long wanted = messageId_;
    messageId_ = 0;
    for (size_t row = 0; wanted != 0 && row < messages.size(); ++row) {
        if (messages[row]->GetMessageId() == wanted) {
            return static_cast<int>(row);
        }
    }
    return static_cast<int>(messages.size()) - 1;
}
