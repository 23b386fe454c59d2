#pragma once
#include <QSslConfiguration>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A certificate authority made for one test with openssl, and a server certificate it signs for
// the given host names. Nothing trusts it until a test says so (SSL_CERT_FILE, say), so a second
// authority stands for one nobody trusts.
class TestAuthority {
 public:
  explicit TestAuthority(const QStringList& hosts);

  bool IsValid() const { return valid_; }
  // The authority's certificate, in PEM: what SSL_CERT_FILE names to trust it.
  QString CertificateFile() const { return dir_.filePath(QStringLiteral("authority.pem")); }
  // What a TLS server presents: the host certificate and its key.
  QSslConfiguration ServerConfiguration() const;

 private:
  QTemporaryDir dir_;
  bool valid_ = false;
};
