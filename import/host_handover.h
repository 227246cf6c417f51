// Hand-over of the written PRC file to the host as a new document.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/opennurbs/opennurbs.h"

// Writes the meshes to the temporary PRC file, has the host open it as a document titled
// "Model" and deletes the file. 1 when the file was written and handed over; 0 otherwise, with
// the message in LastErrorText.
int ImportMeshesIntoHost(ON_ClassArray<ON_Mesh>& meshes);

// The host's steps alone, for a file that stays where it is. 1 when the host was given the
// file; 0 when the host gave no file system, path name or text object for it.
int OpenPrcInHost(CString& path);
