#pragma once
// The hidden window that holds the command's picture. It is made on first demand by the
// command's Bitmap member and never shown.

#include <cstdint>

#include "host/forms/Form.h"
#include "host/forms/Image.h"
#include "host/forms/Picture.h"

class frmResources : public host::Form {
public:
    frmResources();

    // The command bitmap, 16 by 16 pixels.
    host::Image Picture1{*this, "Picture1"};
};

// The command bitmap as a picture.
host::Picture CommandBitmapPicture();

// Pictures handed to the host by handle, as the command's Bitmap member does. The same
// picture always gets the same handle (never 0); handles stay valid while the library is
// loaded.
std::int32_t PictureHandle(const host::Picture& picture);
// The picture of a handle, nullptr for a handle that was never given out.
const host::Picture* PictureFromHandle(std::int32_t handle);
