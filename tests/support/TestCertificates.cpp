#include "TestCertificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace TestSupport {

namespace {

struct KeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertificateFree {
    void operator()(X509* certificate) const { X509_free(certificate); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Certificate = std::unique_ptr<X509, CertificateFree>;

void Require(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(std::string("TestCertificates: ") + what);
}

Key MakeKey()
{
    Key key(EVP_EC_gen("P-256"));
    Require(key != nullptr, "cannot make a key");
    return key;
}

void AddExtension(X509* certificate, X509* issuer, int nid, const std::string& value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
    Require(extension != nullptr && X509_add_ext(certificate, extension, -1) == 1,
        "cannot add an extension");
    X509_EXTENSION_free(extension);
}

// Signed by issuerKey; a self-signed authority when issuer is null.
Certificate MakeCertificate(const std::string& commonName, EVP_PKEY* key, X509* issuer,
    EVP_PKEY* issuerKey, const std::vector<std::pair<int, std::string>>& extensions)
{
    static std::atomic<long> serial{1};
    Certificate certificate(X509_new());
    Require(certificate != nullptr, "cannot make a certificate");
    X509* raw = certificate.get();
    X509_set_version(raw, X509_VERSION_3);
    ASN1_INTEGER_set(X509_get_serialNumber(raw), serial++);
    X509_gmtime_adj(X509_getm_notBefore(raw), -3600);
    X509_gmtime_adj(X509_getm_notAfter(raw), 2 * 24 * 3600);
    X509_set_pubkey(raw, key);
    X509_NAME* name = X509_get_subject_name(raw);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
        reinterpret_cast<const unsigned char*>("VeloIM tests"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
        reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
    X509* signer = issuer != nullptr ? issuer : raw;
    X509_set_issuer_name(raw, X509_get_subject_name(signer));
    for (const auto& [nid, value] : extensions)
        AddExtension(raw, signer, nid, value);
    Require(X509_sign(raw, issuerKey, EVP_sha256()) > 0, "cannot sign a certificate");
    return certificate;
}

void WritePem(const std::string& path, const std::vector<X509*>& certificates, EVP_PKEY* key)
{
    FILE* file = std::fopen(path.c_str(), "w");
    Require(file != nullptr, "cannot write a file");
    bool written = true;
    for (X509* certificate : certificates)
        written = written && PEM_write_X509(file, certificate) == 1;
    if (key != nullptr)
        written = written
            && PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
    written = std::fclose(file) == 0 && written;
    Require(written, "cannot write a PEM file");
}

std::string SubjectAltName(const std::string& serverName)
{
    in_addr address{};
    const bool isAddress = inet_pton(AF_INET, serverName.c_str(), &address) == 1;
    return (isAddress ? "IP:" : "DNS:") + serverName;
}

}  // namespace

TestCertificates::TestCertificates(const std::string& serverName)
    : directory_("veloim-certs"),
      caFile_(directory_.Path() + "/ca.pem"),
      certificateFile_(directory_.Path() + "/server.pem"),
      keyFile_(directory_.Path() + "/server.key")
{
    Key caKey = MakeKey();
    Certificate ca = MakeCertificate("VeloIM test authority", caKey.get(), nullptr, caKey.get(),
        {{NID_basic_constraints, "critical,CA:TRUE"},
            {NID_key_usage, "critical,keyCertSign,cRLSign"},
            {NID_subject_key_identifier, "hash"}});
    Key serverKey = MakeKey();
    Certificate server = MakeCertificate(serverName, serverKey.get(), ca.get(), caKey.get(),
        {{NID_basic_constraints, "critical,CA:FALSE"},
            {NID_key_usage, "critical,digitalSignature"}, {NID_ext_key_usage, "serverAuth"},
            {NID_subject_alt_name, SubjectAltName(serverName)},
            {NID_authority_key_identifier, "keyid"}});
    WritePem(caFile_, {ca.get()}, nullptr);
    WritePem(certificateFile_, {server.get(), ca.get()}, nullptr);
    WritePem(keyFile_, {}, serverKey.get());
}

TestCertificates::~TestCertificates() = default;

const std::string& TestCertificates::CaFile() const { return caFile_; }

const std::string& TestCertificates::CertificateFile() const { return certificateFile_; }

const std::string& TestCertificates::KeyFile() const { return keyFile_; }

}  // namespace TestSupport
