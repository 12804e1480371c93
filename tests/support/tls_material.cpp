// tests/support/tls_material.cpp
//
// A throwaway root certificate and a server certificate signed by it, made
// in memory with the OpenSSL API (P-256 keys, SHA-256, valid from an hour ago
// for thirty days). Every OpenSSL object is held by a unique_ptr.
#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/loopback_server.h"

namespace gavrel::testing {
namespace {

struct PkeyFree {
  void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
};
struct X509Free {
  void operator()(X509* p) const { X509_free(p); }
};
struct BioFree {
  void operator()(BIO* p) const { BIO_free(p); }
};
struct ExtFree {
  void operator()(X509_EXTENSION* p) const { X509_EXTENSION_free(p); }
};
using Pkey = std::unique_ptr<EVP_PKEY, PkeyFree>;
using Cert = std::unique_ptr<X509, X509Free>;
using Bio = std::unique_ptr<BIO, BioFree>;
using Ext = std::unique_ptr<X509_EXTENSION, ExtFree>;

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("test TLS material: ") + what);
}

Pkey NewKey() {
  Pkey key(EVP_EC_gen("P-256"));
  Check(key != nullptr, "key generation");
  return key;
}

void AddExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
  Ext ext(X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str()));
  Check(ext != nullptr, "extension");
  Check(X509_add_ext(cert, ext.get(), -1) == 1, "add extension");
}

Cert NewCert(EVP_PKEY* key, const std::string& commonName) {
  Cert cert(X509_new());
  Check(cert != nullptr, "X509_new");
  X509_set_version(cert.get(), 2);
  std::uint64_t serial = 0;
  Check(RAND_bytes(reinterpret_cast<unsigned char*>(&serial), sizeof serial) == 1, "serial");
  ASN1_INTEGER_set_uint64(X509_get_serialNumber(cert.get()), serial >> 1);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 30L * 24 * 3600);
  X509_set_pubkey(cert.get(), key);
  X509_NAME* name = X509_get_subject_name(cert.get());
  X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>("Gavrel tests"), -1, -1, 0);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
  return cert;
}

bool IsIpAddress(const std::string& host) {
  return host.find_first_not_of("0123456789.") == std::string::npos ||
         host.find(':') != std::string::npos;
}

std::string CertPem(X509* cert) {
  Bio bio(BIO_new(BIO_s_mem()));
  Check(bio && PEM_write_bio_X509(bio.get(), cert) == 1, "write certificate");
  char* data = nullptr;
  long n = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, static_cast<std::size_t>(n));
}

std::string KeyPem(EVP_PKEY* key) {
  Bio bio(BIO_new(BIO_s_mem()));
  Check(bio && PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1,
        "write key");
  char* data = nullptr;
  long n = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, static_cast<std::size_t>(n));
}

}  // namespace

TlsMaterial MakeTlsMaterial(const std::vector<std::string>& hosts) {
  Pkey caKey = NewKey();
  Cert ca = NewCert(caKey.get(), "Gavrel throwaway test root");
  X509_set_issuer_name(ca.get(), X509_get_subject_name(ca.get()));
  AddExtension(ca.get(), ca.get(), NID_basic_constraints, "critical,CA:TRUE");
  AddExtension(ca.get(), ca.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
  AddExtension(ca.get(), ca.get(), NID_subject_key_identifier, "hash");
  Check(X509_sign(ca.get(), caKey.get(), EVP_sha256()) > 0, "sign root");

  Pkey key = NewKey();
  Cert cert = NewCert(key.get(), hosts.empty() ? "localhost" : hosts.front());
  X509_set_issuer_name(cert.get(), X509_get_subject_name(ca.get()));
  std::string san;
  for (const std::string& host : hosts) {
    if (!san.empty()) san += ',';
    san += (IsIpAddress(host) ? "IP:" : "DNS:") + host;
  }
  AddExtension(cert.get(), ca.get(), NID_basic_constraints, "critical,CA:FALSE");
  AddExtension(cert.get(), ca.get(), NID_key_usage, "critical,digitalSignature");
  AddExtension(cert.get(), ca.get(), NID_ext_key_usage, "serverAuth");
  AddExtension(cert.get(), ca.get(), NID_subject_key_identifier, "hash");
  AddExtension(cert.get(), ca.get(), NID_authority_key_identifier, "keyid:always");
  if (!san.empty()) AddExtension(cert.get(), ca.get(), NID_subject_alt_name, san);
  Check(X509_sign(cert.get(), caKey.get(), EVP_sha256()) > 0, "sign server certificate");

  return TlsMaterial{CertPem(ca.get()), CertPem(cert.get()), KeyPem(key.get())};
}

}  // namespace gavrel::testing
