#include "xmpp/ArchiveFin.h"

ArchiveFin::ArchiveFin() = default;

ArchiveFin::~ArchiveFin() { delete last_; }

IMString* ArchiveFin::getDerivedXML() { return nullptr; }

bool ArchiveFin::isComplete() const { return complete_; }

void ArchiveFin::setComplete(bool complete) { complete_ = complete; }

IMString* ArchiveFin::getLast() { return last_; }

void ArchiveFin::setLast(IMString* last) { OwnedField::replace(last_, last); }
