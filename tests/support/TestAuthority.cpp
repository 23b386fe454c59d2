#include "tests/support/TestAuthority.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>

namespace {

bool Openssl(const QString& folder, const QStringList& arguments) {
  QProcess openssl;
  openssl.setWorkingDirectory(folder);
  openssl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  openssl.start(QStringLiteral("openssl"), arguments);
  return openssl.waitForFinished(60'000) && openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0;
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TestAuthority::TestAuthority(const QStringList& hosts) {
  if (!dir_.isValid()) return;
  const QString folder = dir_.path();
  QStringList names;
  for (const QString& host : hosts) names << QStringLiteral("DNS:") + host;
  QFile extensions(dir_.filePath(QStringLiteral("host.ext")));
  if (!extensions.open(QIODevice::WriteOnly)) return;
  extensions.write(
      "basicConstraints=critical,CA:FALSE\nkeyUsage=critical,digitalSignature\n"
      "extendedKeyUsage=serverAuth\nsubjectAltName=" +
      names.join(u',').toUtf8() + "\n");
  extensions.close();
  const QStringList key{"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
  valid_ =
      Openssl(folder, QStringList{"req", "-x509"} + key +
                          QStringList{"-keyout", "authority.key", "-out", "authority.pem", "-days", "2", "-subj",
                                      "/CN=Quillbrook test authority", "-addext", "basicConstraints=critical,CA:TRUE",
                                      "-addext", "keyUsage=critical,keyCertSign,cRLSign"}) &&
      Openssl(folder, QStringList{"req"} + key +
                          QStringList{"-keyout", "host.key", "-out", "host.csr", "-subj", "/CN=" + hosts.value(0)}) &&
      Openssl(folder, {"x509", "-req", "-in", "host.csr", "-CA", "authority.pem", "-CAkey", "authority.key",
                       "-CAcreateserial", "-days", "2", "-extfile", "host.ext", "-out", "host.pem"});
}

QSslConfiguration TestAuthority::ServerConfiguration() const {
  QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
  configuration.setLocalCertificate(QSslCertificate(Read(dir_.filePath(QStringLiteral("host.pem")))));
  configuration.setPrivateKey(QSslKey(Read(dir_.filePath(QStringLiteral("host.key"))), QSsl::Ec));
  configuration.setPeerVerifyMode(QSslSocket::VerifyNone);  // the server asks no certificate of the client
  return configuration;
}
