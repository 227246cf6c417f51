// The entry points of the 3D library in table order: the one list from which the plug-in's
// binding and the stand-in library's exports are both made. X(name, called): called is 1 for
// the 27 entries the plug-in calls, 0 for those it only binds.
#pragma once

#define KV_A3D_ENTRY_LIST(X)                                 \
  X(A3DXXXGet, 0)                                  /* 0 */   \
  X(A3DXXXCreate, 0)                               /* 1 */   \
  X(A3DDllInitialize, 1)                           /* 2 */   \
  X(A3DDllTerminate, 1)                            /* 3 */   \
  X(A3DDllGetVersion, 1)                           /* 4 */   \
  X(A3DDllSetOutputFunctions, 0)                   /* 5 */   \
  X(A3DDllSetProgressFunctions, 0)                 /* 6 */   \
  X(A3DDllSetAllocationFunctions, 0)               /* 7 */   \
  X(A3DEntityGetType, 1)                           /* 8 */   \
  X(A3DEntityIsBaseWithGraphicsType, 0)            /* 9 */   \
  X(A3DEntityIsBaseType, 0)                        /* 10 */  \
  X(A3DDllActivateXMLTrace, 0)                     /* 11 */  \
  X(A3DMiscGeneralTransformationGet, 0)            /* 12 */  \
  X(A3DMiscGeneralTransformationCreate, 0)         /* 13 */  \
  X(A3DMiscCartesianTransformationGet, 0)          /* 14 */  \
  X(A3DMiscCartesianTransformationCreate, 0)       /* 15 */  \
  X(A3DMiscEntityReferenceGet, 0)                  /* 16 */  \
  X(A3DMiscEntityReferenceCreate, 0)               /* 17 */  \
  X(A3DMiscEntityReferenceSet, 0)                  /* 18 */  \
  X(A3DMiscReferenceOnTopologyGet, 0)              /* 19 */  \
  X(A3DMiscReferenceOnTopologyCreate, 0)           /* 20 */  \
  X(A3DMiscUTF8ToUnicode, 0)                       /* 21 */  \
  X(A3DMiscUnicodeToUTF8, 0)                       /* 22 */  \
  X(A3DCrvNurbsGet, 0)                             /* 23 */  \
  X(A3DCrvNurbsCreate, 0)                          /* 24 */  \
  X(A3DCrvBaseGetAsNurbs, 0)                       /* 25 */  \
  X(A3DCrvLineGet, 0)                              /* 26 */  \
  X(A3DCrvLineCreate, 0)                           /* 27 */  \
  X(A3DCrvCircleGet, 0)                            /* 28 */  \
  X(A3DCrvCircleCreate, 0)                         /* 29 */  \
  X(A3DCrvEllipseGet, 0)                           /* 30 */  \
  X(A3DCrvEllipseCreate, 0)                        /* 31 */  \
  X(A3DCrvParabolaGet, 0)                          /* 32 */  \
  X(A3DCrvParabolaCreate, 0)                       /* 33 */  \
  X(A3DCrvHyperbolaGet, 0)                         /* 34 */  \
  X(A3DCrvHyperbolaCreate, 0)                      /* 35 */  \
  X(A3DCrvPolyLineGet, 0)                          /* 36 */  \
  X(A3DCrvPolyLineCreate, 0)                       /* 37 */  \
  X(A3DCrvCompositeGet, 0)                         /* 38 */  \
  X(A3DCrvCompositeCreate, 0)                      /* 39 */  \
  X(A3DCrvEquationGet, 0)                          /* 40 */  \
  X(A3DCrvEquationCreate, 0)                       /* 41 */  \
  X(A3DCrvTransformGet, 0)                         /* 42 */  \
  X(A3DCrvTransformCreate, 0)                      /* 43 */  \
  X(A3DCrvOnSurfGet, 0)                            /* 44 */  \
  X(A3DCrvOnSurfCreate, 0)                         /* 45 */  \
  X(A3DCrvOffsetGet, 0)                            /* 46 */  \
  X(A3DCrvOffsetCreate, 0)                         /* 47 */  \
  X(A3DCrvHelixGet, 0)                             /* 48 */  \
  X(A3DCrvHelixCreate, 0)                          /* 49 */  \
  X(A3DCrvIntersectionGet, 0)                      /* 50 */  \
  X(A3DCrvIntersectionCreate, 0)                   /* 51 */  \
  X(A3DCrvBlend02BoundaryGet, 0)                   /* 52 */  \
  X(A3DCrvBlend02BoundaryCreate, 0)                /* 53 */  \
  X(A3DSurfNurbsGet, 0)                            /* 54 */  \
  X(A3DSurfNurbsCreate, 0)                         /* 55 */  \
  X(A3DSurfBaseGetAsNurbs, 0)                      /* 56 */  \
  X(A3DSurfSphereGet, 0)                           /* 57 */  \
  X(A3DSurfSphereCreate, 0)                        /* 58 */  \
  X(A3DSurfCylinderGet, 0)                         /* 59 */  \
  X(A3DSurfCylinderCreate, 0)                      /* 60 */  \
  X(A3DSurfTorusGet, 0)                            /* 61 */  \
  X(A3DSurfTorusCreate, 0)                         /* 62 */  \
  X(A3DSurfRevolutionGet, 0)                       /* 63 */  \
  X(A3DSurfRevolutionCreate, 0)                    /* 64 */  \
  X(A3DSurfExtrusionGet, 0)                        /* 65 */  \
  X(A3DSurfExtrusionCreate, 0)                     /* 66 */  \
  X(A3DSurfOffsetGet, 0)                           /* 67 */  \
  X(A3DSurfOffsetCreate, 0)                        /* 68 */  \
  X(A3DSurfPlaneGet, 0)                            /* 69 */  \
  X(A3DSurfPlaneCreate, 0)                         /* 70 */  \
  X(A3DSurfBlend01Get, 0)                          /* 71 */  \
  X(A3DSurfBlend01Create, 0)                       /* 72 */  \
  X(A3DSurfBlend02Get, 0)                          /* 73 */  \
  X(A3DSurfBlend02Create, 0)                       /* 74 */  \
  X(A3DSurfBlend03Get, 0)                          /* 75 */  \
  X(A3DSurfBlend03Create, 0)                       /* 76 */  \
  X(A3DSurfConeGet, 0)                             /* 77 */  \
  X(A3DSurfConeCreate, 0)                          /* 78 */  \
  X(A3DSurfCylindricalGet, 0)                      /* 79 */  \
  X(A3DSurfCylindricalCreate, 0)                   /* 80 */  \
  X(A3DSurfRuledGet, 0)                            /* 81 */  \
  X(A3DSurfRuledCreate, 0)                         /* 82 */  \
  X(A3DSurfPipeGet, 0)                             /* 83 */  \
  X(A3DSurfPipeCreate, 0)                          /* 84 */  \
  X(A3DSurfTransformGet, 0)                        /* 85 */  \
  X(A3DSurfTransformCreate, 0)                     /* 86 */  \
  X(A3DSurfFromCurvesGet, 0)                       /* 87 */  \
  X(A3DSurfFromCurvesCreate, 0)                    /* 88 */  \
  X(A3DTessBaseGet, 1)                             /* 89 */  \
  X(A3DTessBaseSet, 1)                             /* 90 */  \
  X(A3DTess3DGet, 1)                               /* 91 */  \
  X(A3DTess3DCreate, 1)                            /* 92 */  \
  X(A3DTess3DWireGet, 0)                           /* 93 */  \
  X(A3DTess3DWireCreate, 0)                        /* 94 */  \
  X(A3DTessMarkupGet, 0)                           /* 95 */  \
  X(A3DTessMarkupCreate, 0)                        /* 96 */  \
  X(A3DGraphicsGet, 0)                             /* 97 */  \
  X(A3DGraphicsCreate, 0)                          /* 98 */  \
  X(A3DGlobalGetGraphStyleData, 0)                 /* 99 */  \
  X(A3DGlobalInsertGraphStyle, 0)                  /* 100 */ \
  X(A3DGlobalGetGraphRgbColorData, 0)              /* 101 */ \
  X(A3DGlobalInsertGraphRgbColor, 0)               /* 102 */ \
  X(A3DGlobalGetGraphLinePatternData, 0)           /* 103 */ \
  X(A3DGlobalInsertGraphLinePattern, 0)            /* 104 */ \
  X(A3DGlobalGetGraphMaterialData, 0)              /* 105 */ \
  X(A3DGlobalInsertGraphMaterial, 0)               /* 106 */ \
  X(A3DGlobalGetGraphPictureData, 0)               /* 107 */ \
  X(A3DGlobalInsertGraphPicture, 0)                /* 108 */ \
  X(A3DGlobalGetGraphDottingPatternData, 0)        /* 109 */ \
  X(A3DGlobalInsertGraphDottingPattern, 0)         /* 110 */ \
  X(A3DGlobalGetGraphHatchingPatternData, 0)       /* 111 */ \
  X(A3DGlobalInsertGraphHatchingPattern, 0)        /* 112 */ \
  X(A3DGlobalGetGraphSolidPatternData, 0)          /* 113 */ \
  X(A3DGlobalInsertGraphSolidPattern, 0)           /* 114 */ \
  X(A3DGlobalGetGraphVPicturePatternData, 0)       /* 115 */ \
  X(A3DGlobalInsertGraphVPicturePattern, 0)        /* 116 */ \
  X(A3DGraphCameraGet, 0)                          /* 117 */ \
  X(A3DGraphCameraCreate, 0)                       /* 118 */ \
  X(A3DGraphAmbientLightGet, 0)                    /* 119 */ \
  X(A3DGraphAmbientLightCreate, 0)                 /* 120 */ \
  X(A3DGraphPointLightGet, 0)                      /* 121 */ \
  X(A3DGraphPointLightCreate, 0)                   /* 122 */ \
  X(A3DGraphSpotLightGet, 0)                       /* 123 */ \
  X(A3DGraphSpotLightCreate, 0)                    /* 124 */ \
  X(A3DGraphDirectionalLightGet, 0)                /* 125 */ \
  X(A3DGraphDirectionalLightCreate, 0)             /* 126 */ \
  X(A3DGraphSceneDisplayParametersGet, 0)          /* 127 */ \
  X(A3DGraphSceneDisplayParametersCreate, 0)       /* 128 */ \
  X(A3DMiscCascadedAttributesCreate, 1)            /* 129 */ \
  X(A3DMiscCascadedAttributesDelete, 1)            /* 130 */ \
  X(A3DMiscCascadedAttributesGet, 1)               /* 131 */ \
  X(A3DMiscCascadedAttributesPush, 1)              /* 132 */ \
  X(A3DMiscCascadedAttributesPushTessFace, 1)      /* 133 */ \
  X(A3DAsmModelFileLoadFromFile, 1)                /* 134 */ \
  X(A3DAsmModelFileWriteToFile, 1)                 /* 135 */ \
  X(A3DAsmModelFileGet, 1)                         /* 136 */ \
  X(A3DAsmModelFileCreate, 1)                      /* 137 */ \
  X(A3DAsmModelFileDelete, 1)                      /* 138 */ \
  X(A3DAsmProductOccurrenceGet, 1)                 /* 139 */ \
  X(A3DAsmProductOccurrenceCreate, 1)              /* 140 */ \
  X(A3DAsmProductOccurrenceSetProductPrototype, 0) /* 141 */ \
  X(A3DAsmPartDefinitionGet, 1)                    /* 142 */ \
  X(A3DAsmPartDefinitionCreate, 1)                 /* 143 */ \
  X(A3DAsmFilterGet, 0)                            /* 144 */ \
  X(A3DAsmFilterCreate, 0)                         /* 145 */ \
  X(A3DRiRepresentationItemGet, 1)                 /* 146 */ \
  X(A3DRiRepresentationItemSet, 1)                 /* 147 */ \
  X(A3DRiSetGet, 0)                                /* 148 */ \
  X(A3DRiSetCreate, 0)                             /* 149 */ \
  X(A3DRiPointSetGet, 0)                           /* 150 */ \
  X(A3DRiPointSetCreate, 0)                        /* 151 */ \
  X(A3DRiDirectionGet, 0)                          /* 152 */ \
  X(A3DRiDirectionCreate, 0)                       /* 153 */ \
  X(A3DRiCoordinateSystemGet, 0)                   /* 154 */ \
  X(A3DRiCoordinateSystemCreate, 0)                /* 155 */ \
  X(A3DRiCurveGet, 0)                              /* 156 */ \
  X(A3DRiCurveCreate, 0)                           /* 157 */ \
  X(A3DRiPlaneGet, 0)                              /* 158 */ \
  X(A3DRiPlaneCreate, 0)                           /* 159 */ \
  X(A3DRiBrepModelGet, 0)                          /* 160 */ \
  X(A3DRiBrepModelCreate, 0)                       /* 161 */ \
  X(A3DRiPolyBrepModelGet, 0)                      /* 162 */ \
  X(A3DRiPolyBrepModelCreate, 1)                   /* 163 */ \
  X(A3DRiPolyWireGet, 0)                           /* 164 */ \
  X(A3DRiPolyWireCreate, 0)                        /* 165 */ \
  X(A3DRootBaseGet, 1)                             /* 166 */ \
  X(A3DRootBaseSet, 1)                             /* 167 */ \
  X(A3DRootBaseWithGraphicsGet, 0)                 /* 168 */ \
  X(A3DRootBaseWithGraphicsSet, 0)                 /* 169 */ \
  X(A3DMiscAttributeGet, 0)                        /* 170 */ \
  X(A3DMiscAttributeCreate, 0)                     /* 171 */ \
  X(A3DTopoBodyGet, 0)                             /* 172 */ \
  X(A3DTopoBodySet, 0)                             /* 173 */ \
  X(A3DTopoContextGet, 0)                          /* 174 */ \
  X(A3DTopoContextCreate, 0)                       /* 175 */ \
  X(A3DTopoSingleWireBodyGet, 0)                   /* 176 */ \
  X(A3DTopoSingleWireBodyCreate, 0)                /* 177 */ \
  X(A3DTopoBrepDataGet, 0)                         /* 178 */ \
  X(A3DTopoBrepDataCreate, 0)                      /* 179 */ \
  X(A3DTopoConnexGet, 0)                           /* 180 */ \
  X(A3DTopoConnexCreate, 0)                        /* 181 */ \
  X(A3DTopoShellGet, 0)                            /* 182 */ \
  X(A3DTopoShellCreate, 0)                         /* 183 */ \
  X(A3DTopoFaceGet, 0)                             /* 184 */ \
  X(A3DTopoFaceCreate, 0)                          /* 185 */ \
  X(A3DTopoLoopGet, 0)                             /* 186 */ \
  X(A3DTopoLoopCreate, 0)                          /* 187 */ \
  X(A3DTopoCoEdgeGet, 0)                           /* 188 */ \
  X(A3DTopoCoEdgeCreate, 0)                        /* 189 */ \
  X(A3DTopoCoEdgeSetNeighbour, 0)                  /* 190 */ \
  X(A3DTopoEdgeGet, 0)                             /* 191 */ \
  X(A3DTopoEdgeCreate, 0)                          /* 192 */ \
  X(A3DTopoWireEdgeGet, 0)                         /* 193 */ \
  X(A3DTopoWireEdgeCreate, 0)                      /* 194 */ \
  X(A3DTopoUniqueVertexGet, 0)                     /* 195 */ \
  X(A3DTopoUniqueVertexCreate, 0)                  /* 196 */ \
  X(A3DTopoMultipleVertexGet, 0)                   /* 197 */ \
  X(A3DTopoMultipleVertexCreate, 0)                /* 198 */

enum class A3dEntry : int {
#define KV_A3D_ENTRY_ID(name, called) name,
  KV_A3D_ENTRY_LIST(KV_A3D_ENTRY_ID)
#undef KV_A3D_ENTRY_ID
};

constexpr int kA3dEntryCount = 0
#define KV_A3D_ENTRY_COUNT(name, called) +1
    KV_A3D_ENTRY_LIST(KV_A3D_ENTRY_COUNT)
#undef KV_A3D_ENTRY_COUNT
    ;
static_assert(kA3dEntryCount == 199, "the library has 199 entry points");

// The name under which entry i is looked up.
inline const char* A3dEntryName(int index) {
  static const char* const kNames[] = {
#define KV_A3D_ENTRY_NAME(name, called) #name,
      KV_A3D_ENTRY_LIST(KV_A3D_ENTRY_NAME)
#undef KV_A3D_ENTRY_NAME
  };
  return (index >= 0 && index < kA3dEntryCount) ? kNames[index] : nullptr;
}
