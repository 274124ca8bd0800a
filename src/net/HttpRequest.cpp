#include "net/HttpRequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

QNetworkRequest limited(QNetworkRequest request, HttpRequest::Limits limits)
{
    request.setTransferTimeout(int(limits.timeout.count()));
    return request;
}

// Errors below 200 are the network's (connection, time-out, proxy); from
// 200 on the server did answer, with a status Qt maps to an error.
bool isTransportError(QNetworkReply::NetworkError error)
{
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

} // namespace

HttpRequest *HttpRequest::get(QNetworkAccessManager &network, const QNetworkRequest &request,
                              Limits limits, QObject *parent)
{
    return new HttpRequest(network.get(limited(request, limits)), limits.maxBodyBytes, parent);
}

HttpRequest *HttpRequest::post(QNetworkAccessManager &network, const QNetworkRequest &request,
                               const QByteArray &body, Limits limits, QObject *parent)
{
    return new HttpRequest(network.post(limited(request, limits), body), limits.maxBodyBytes,
                           parent);
}

HttpRequest::HttpRequest(QNetworkReply *reply, qint64 maxBodyBytes, QObject *parent)
    : Operation(parent)
    , m_reply(reply)
    , m_maxBodyBytes(maxBodyBytes)
{
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > m_maxBodyBytes && !m_tooLarge && m_reply) {
            m_tooLarge = true;
            m_reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, &HttpRequest::complete);
}

HttpRequest::~HttpRequest()
{
    // Deleted before it finished: the reply must not report to a dead object.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void HttpRequest::onCancel()
{
    if (m_reply)
        m_reply->abort();
}

void HttpRequest::complete()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    m_status = status.isValid() ? status.toInt() : 0;
    const QNetworkReply::NetworkError error = reply->error();
    if (isCancelled()) {
        m_outcome = Outcome::cancelled;
    } else if (m_tooLarge) {
        m_outcome = Outcome::tooLarge;
    } else if (error == QNetworkReply::OperationCanceledError) {
        // Only the transfer time-out aborts a request that neither the cap
        // nor cancel() stopped.
        m_outcome = Outcome::timedOut;
    } else if (isTransportError(error) || (error != QNetworkReply::NoError && m_status == 0)) {
        m_outcome = Outcome::failed;
        m_errorString = reply->errorString();
    } else {
        m_outcome = Outcome::answered;
        m_body = reply->readAll();
    }
    finish();
}
