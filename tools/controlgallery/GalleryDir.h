// TGalleryDir: the gallery's private program directory, so the gallery never
// touches the skin it shows.
//
// A fresh folder under the system's temporary folder receives a copy of the
// skin of a program directory (settings.ini, text.ini, gfx/, sound/) in a
// "bin/" folder of its own, so that folder's parent, the installation root,
// is private too. The gallery adds its own layout to the copied ini files.
// The whole folder is removed when the object goes.
#pragma once

#include <string>

class TGalleryDir {
public:
    TGalleryDir() = default;
    ~TGalleryDir();
    TGalleryDir(const TGalleryDir&) = delete;
    TGalleryDir& operator=(const TGalleryDir&) = delete;

    // Copies the skin of skinDir; false with a message when the skin is
    // incomplete or the copy fails.
    bool Prepare(const std::string& skinDir, std::string& error);
    // The private program directory, with a trailing "/".
    const std::string& ProgramDir() const { return m_programDir; }

private:
    std::string m_root;
    std::string m_programDir;
};
