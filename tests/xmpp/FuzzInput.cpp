#include "FuzzInput.h"

#include "ReaderFeed.h"
#include "RecordingListener.h"
#include "xmpp/Packet.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Read(const std::string& bytes, const std::vector<std::size_t>& cuts)
{
    RecordingListener listener;
    ReaderFeed::runCut(bytes, cuts, &listener);
    std::string description = listener.describe();
    for (std::size_t i = 0; i < listener.count(); ++i) {
        if (Packet* packet = listener.object<Packet>(i)) {
            if (!packet->hasPacketID()) {
                packet->setPacketID(new IMString("fixed"));
            }
            std::unique_ptr<IMString> xml(packet->getXML());
            description += xml != nullptr ? xml->ToUtf8() : std::string("(no xml)");
        }
    }
    return description;
}

}  // namespace

bool FuzzInput::check(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::size_t step = 1 + (size > 0 ? data[0] % 16 : 0);
    step = std::max(step, size / ReaderFeed::MAX_CUTS + 1);
    std::vector<std::size_t> cuts;
    for (std::size_t cut = step; cut < size; cut += step) {
        cuts.push_back(cut);
    }
    return Read(bytes, {}) == Read(bytes, cuts);
}
