// The MDI tab workspace of the command bars' site: the window object of an
// MDI frame's client when a tab workspace has taken that client over.
#pragma once

class CKitTabClientWnd;
class CWnd;

// Null when the site is no MDI frame or its client is a plain one.
CKitTabClientWnd* FindTabWorkspace(CWnd* pSite);
