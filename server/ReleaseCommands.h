// The operator's release commands of quorvalendix-server:
//
//   make-update-key [--keep] KEYFILE [PUBFILE]
//       a new Ed25519 key pair: the secret key to KEYFILE (mode 0600; an
//       existing one is never overwritten), the public key to PUBFILE
//       (default KEYFILE.pub), which ships with the client as update.pub.
//       With --keep an existing KEYFILE is kept and only PUBFILE is written
//       from it (the build makes its development key this way).
//   sign-update KEYFILE FILES...
//       signs each file (FILE.sig beside it) and writes and signs the
//       manifest update.lst in the files' folder, which must be one.
//
// Both print what they wrote and return the process's exit code.
#pragma once

namespace server {

// -1 when argv[1] names no release command.
int RunReleaseCommand(int argc, char** argv);

}  // namespace server
