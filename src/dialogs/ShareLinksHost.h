#pragma once

// The main window's share and like pages, which the help and share windows offer.
class ShareLinksHost
{
public:
    virtual ~ShareLinksHost() = default;
    virtual void Open_Google_Plus() = 0;
    virtual void Open_FaceBook() = 0;
    virtual void Open_Twitter() = 0;
    virtual void Open_FB_Like() = 0;
};
