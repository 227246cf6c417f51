// Hand-over of the written PRC file to the host as a new document.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/opennurbs/opennurbs.h"

// Writes the meshes to the temporary PRC file, has the host open it as a document titled
// "Model" and deletes the file. 1 when the file was written and opened; 0 otherwise, with the
// message in LastErrorText.
int ImportMeshesIntoHost(ON_ClassArray<ON_Mesh>& meshes);

// The host's steps alone, for a file that stays where it is. 1 when the host opened the file
// as a document; 0 when it gave no file system, path name, text object or document.
int OpenPrcInHost(CString& path);
