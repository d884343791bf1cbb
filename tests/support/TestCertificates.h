// A throw-away certificate authority and one server certificate it issued, made with OpenSSL
// into a fresh temporary directory that goes with the object. Tests give the server the
// certificate and key, and the client the authority's file (as $VELOIM_CA_FILE): a server
// certificate for another name, or the authority of another TestCertificates, makes the
// verification failures.
// The name is put in the certificate as a DNS name, or as an IP address when it is dotted
// IPv4 text. Keys are P-256, valid from an hour ago for two days.
// Threading and ownership: immutable after construction; failures throw std::runtime_error.
#pragma once

#include "TemporaryDirectory.h"

#include <string>

namespace TestSupport {

class TestCertificates {
public:
    explicit TestCertificates(const std::string& serverName);
    ~TestCertificates();

    TestCertificates(const TestCertificates&) = delete;
    TestCertificates& operator=(const TestCertificates&) = delete;

    // The authority's certificate (PEM).
    const std::string& CaFile() const;
    // The server certificate followed by the authority's (PEM), and the server's key (PEM).
    const std::string& CertificateFile() const;
    const std::string& KeyFile() const;

private:
    TemporaryDirectory directory_;
    std::string caFile_;
    std::string certificateFile_;
    std::string keyFile_;
};

}  // namespace TestSupport
