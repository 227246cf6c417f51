// The PRC reader's upper layer: the PRC streams of a document's 3D annotations back into
// meshes. No command calls it; it reports only through its result and LastErrorText.
#pragma once

#include "platform/acrobat/host_abi.h"
#include "platform/mfc/cstring.h"
#include "platform/mfc/cstring_array.h"
#include "platform/opennurbs/opennurbs.h"

// 1 when every PRC stream found was copied, loaded and walked (also when none was found);
// 0 when a step failed. Once the library is ready the array is emptied and receives the
// meshes in page order and, within a page, annotation order.
int ReadDocumentPrc(HostViewDoc& viewDoc, ON_ClassArray<ON_Mesh>& meshes);

int ScanPrcAnnotations(HostViewDoc& viewDoc, ON_ClassArray<ON_Mesh>& meshes,
                       ON_SimpleArray<double>& units, CStringArray& names);

// Copies a 3D stream's content into the file: 1 when copied, 0 when the file cannot be
// created or the host's stream fails.
int DumpPrcStream(HostCosObj stream, CString& path);

// 0 when the file does not load, else the result of the model-tree walk.
int LoadPrcModel(CString& path, ON_ClassArray<ON_Mesh>& meshes, ON_SimpleArray<double>& units,
                 CStringArray& names);
