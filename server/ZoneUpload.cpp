// The operator's upload: "%" announces a file, then every "&" brings a chunk
// and is answered with code 37 while more are due. Only the privileged
// account "Sysop" may upload; anyone else's "%" and "&" are ignored. The
// operator learns the outcome from a notice line.
#include "Zone.h"

namespace server {
namespace {

constexpr char kOperatorAlias[] = "Sysop";

}  // namespace

bool Zone::IsOperator(const ZoneUser& user) const { return user.privileged && user.alias == kOperatorAlias; }

void Zone::OnUploadStart(ZoneUser& user, const protocol::TUploadStart& in) {
    if (!IsOperator(user)) return;
    auto upload = std::make_unique<UploadFile>();
    std::string error;
    if (!upload->Begin(m_config.uploadFolder, in.Name, in.Size, m_config.maxUploadBytes, error)) {
        user.upload.reset();
        Notice(user, kTellRoom, "System: Upload refused: " + error);
        return;
    }
    user.upload = std::move(upload);
    SendTo(user, Build(protocol::TUploadRequest{}));
}

void Zone::OnUploadChunk(ZoneUser& user, const protocol::TUploadChunk& in) {
    if (!IsOperator(user) || !user.upload) return;
    std::string error;
    switch (user.upload->Append(in.Data, error)) {
        case UploadFile::Result::More:
            SendTo(user, Build(protocol::TUploadRequest{}));
            return;
        case UploadFile::Result::Done:
            Notice(user, kTellRoom,
                   "System: Uploaded " + user.upload->Name() + " (" + std::to_string(user.upload->Size()) + " bytes)");
            break;
        case UploadFile::Result::Failed:
            Notice(user, kTellRoom, "System: Upload failed: " + error);
            break;
    }
    user.upload.reset();
}

}  // namespace server
