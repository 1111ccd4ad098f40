/*
 * mex.h of the in-process test host: the host operations the gateway binds,
 * implemented by tests/host/testhost.cpp instead of Octave or MATLAB.
 */
#ifndef OVRIX_TESTHOST_MEX_H
#define OVRIX_TESTHOST_MEX_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct mxArray_tag mxArray;
typedef size_t mwSize;
typedef size_t mwIndex;
typedef char mxChar;               /* as in Octave: one byte per character */
typedef unsigned char mxLogical;

typedef enum {
  mxUNKNOWN_CLASS = 0,
  mxCELL_CLASS,
  mxSTRUCT_CLASS,
  mxLOGICAL_CLASS,
  mxCHAR_CLASS,
  mxVOID_CLASS,
  mxDOUBLE_CLASS,
  mxSINGLE_CLASS,
  mxINT8_CLASS,
  mxUINT8_CLASS,
  mxINT16_CLASS,
  mxUINT16_CLASS,
  mxINT32_CLASS,
  mxUINT32_CLASS,
  mxINT64_CLASS,
  mxUINT64_CLASS,
  mxFUNCTION_CLASS
} mxClassID;

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

void mexErrMsgTxt(const char *text);

void *mxGetData(const mxArray *a);
double *mxGetPr(const mxArray *a);
size_t mxGetM(const mxArray *a);
size_t mxGetN(const mxArray *a);
size_t mxGetNumberOfElements(const mxArray *a);
size_t mxGetElementSize(const mxArray *a);
mxClassID mxGetClassID(const mxArray *a);
const char *mxGetClassName(const mxArray *a);
int mxIsNumeric(const mxArray *a);
int mxIsLogical(const mxArray *a);
int mxIsChar(const mxArray *a);
int mxIsSparse(const mxArray *a);

mxArray *mxCreateNumericArray(mwSize ndims, const mwSize *dims, mxClassID class_id,
                              mxComplexity complexity);
mxArray *mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity complexity);
mxArray *mxCreateString(const char *text);
void *mxCalloc(size_t count, size_t size);
int mxGetString(const mxArray *a, char *buffer, mwSize length);

#ifdef __cplusplus
}
#endif

#endif
