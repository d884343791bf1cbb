#include "xmpp/XMPPWriter.h"

#include "platform/Utf8Encoding.h"

XMPPWriter::XMPPWriter(IMSocketOutputStream* output) : output_(output) {}

XMPPWriter::~XMPPWriter() = default;

void XMPPWriter::writePacket(Packet* packet, unsigned long* result)
{
    IMString* xml = packet->getXML();
    if (xml != nullptr) {
        writeText(*xml, result);
    }
    delete xml;
    delete packet;
}

void XMPPWriter::writeText(const IMString& xml, unsigned long* result)
{
    IMSocketOutputStream* output = output_.load();
    if (output == nullptr) {
        return;
    }
    if (Ixa::Base::ByteBuffer* bytes = Ixa::Text::Utf8Encoding().GetBytesN(xml)) {
        output->write(bytes, result);
    }
}

void XMPPWriter::close() { output_ = nullptr; }

void XMPPWriter::setWriterThreadStatus(bool running) { running_ = running; }

bool XMPPWriter::isWriterThreadRunning() const { return running_; }
