#include "xmpp/XMPPWriter.h"

#include "platform/Utf8Encoding.h"

XMPPWriter::XMPPWriter(IMSocketOutputStream* output) : output_(output) {}

XMPPWriter::~XMPPWriter() = default;

void XMPPWriter::writePacket(Packet* packet, unsigned long* result)
{
    IMString* xml = packet->getXML();
    IMSocketOutputStream* output = output_.load();
    if (xml != nullptr && output != nullptr) {
        Ixa::Base::ByteBuffer* bytes = Ixa::Text::Utf8Encoding().GetBytesN(*xml);
        if (bytes != nullptr) {
            output->write(bytes, result);
        }
    }
    delete xml;
    delete packet;
}

void XMPPWriter::close() { output_ = nullptr; }

void XMPPWriter::setWriterThreadStatus(bool running) { running_ = running; }

bool XMPPWriter::isWriterThreadRunning() const { return running_; }
