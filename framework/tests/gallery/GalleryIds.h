// Resource and command ids of the gallery program.
#pragma once

#define IDR_MAINFRAME 128
#define IDR_CONTEXT 129
#define IDD_GALLERY_SETTINGS 130
#define IDR_GALLERY_IMAGES 131

#define IDC_NAME_EDIT 1001
#define IDC_VERBOSE_CHECK 1002
#define IDC_MODE_COMBO 1003
#define IDC_GALLERY_LIST 1010
#define IDC_GALLERY_TREE 1011

#define ID_GALLERY_ROUTE 32771    // handled, and passed on, at every routing stage
#define ID_GALLERY_TOGGLE 32772   // the document enables it only when toggling is allowed
#define ID_GALLERY_ORPHAN 32773   // no handler anywhere: disabled at idle
#define ID_GALLERY_SETTINGS 32774 // opens the settings dialog
#define ID_GALLERY_WORKER 32775   // starts the worker thread
#define ID_GALLERY_COUNT 32776    // the view counts it
#define ID_GALLERY_PASSON 32777   // the view's update handler passes it on to the application's

#define WM_GALLERY_WORKER_DONE (WM_APP + 1)
