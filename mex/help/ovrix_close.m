% OVRIX_CLOSE  Close a card handle.
%   ovrix_close(H)
%
%   Hands the card handle H back to the card library. The handle must not be
%   used afterwards; the card stays as it is (its FPGA and memory are not
%   reset). A failure of the card library to close the handle is not
%   reported: the handle is gone either way, so closing a handle twice, or a
%   handle that was never open, passes silently.
%
%   Input
%     H       card handle: the 1x1 uint32 that ovrix_init returns. Its first 4
%             bytes are read, so pass it as returned (uint32, or int32 of the
%             same value); double(H) does not work.
%
%   Output
%     None.
%
%   Failures (Octave shows each prefixed with "ovrix_close: ")
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%   DESCRIPTION names what was given, e.g. "1x1 cell".
%
%   Example
%     h = ovrix_init();
%     info = ovrix_getinfo(h);
%     ovrix_close(h);
%
%   See also ovrix_init, ovrix.
