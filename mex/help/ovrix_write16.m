% OVRIX_WRITE16  Write 16-bit words to the card by programmed transfer.
%   ovrix_write16(H, OFFSET, DATA)
%
%   Writes the elements of DATA as 16-bit words to the card's local address
%   space, starting at byte OFFSET, by programmed (not DMA) transfer. The
%   FPGA must be configured (see ovrix_config).
%
%   DATA is sent as stored, not converted: the first 2*numel(DATA) bytes of
%   its storage go, two bytes per word, low byte first. To send values,
%   convert them first with int16(x) (or uint16(x)). Wider classes are not
%   refused but send the wrong bytes: ovrix_write16(h, 0, [1 2]) sends the
%   first 4 bytes of the double 1, the words 0 and 0. An array of 1-byte
%   elements (int8, uint8, logical; char in Octave) is too small and is
%   refused. Complex arrays send their real part only; an empty DATA sends
%   nothing.
%
%   Inputs
%     H        card handle: the 1x1 uint32 that ovrix_init returns, passed as
%              returned (uint32, or int32 of the same value; not double(H)).
%     OFFSET   byte offset in the local address space: first element (any
%              numeric, logical or char class), truncated toward zero, low
%              32 bits kept (-1 means 4294967295).
%     DATA     full numeric, logical or char array of any shape.
%
%   Failures (Octave shows each prefixed with "ovrix_write16: ")
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     local offset (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     data array (input 3) must be a full numeric, logical or char array;
%       got DESCRIPTION
%     data array (input 3) holds H bytes as CLASS, fewer than the B that
%       N 16-bit words need; convert it first, for example int16(x)
%     data array (input 3) is too large: N bytes pass the 4 GiB limit of
%       one transfer
%     Failed to write data: TEXT
%   DESCRIPTION names what was given, e.g. "1x1 cell"; TEXT is the
%   card library's status text, e.g. "The FPGA is not configured: load a
%   bitstream first" on the virtual card.
%
%   Example
%     h = ovrix_init();
%     ovrix_config(h, 'ovrix_sample.bit');
%     ovrix_write16(h, 0, int16([-1 2 3]));
%     x = ovrix_read16(h, 0, 3)           % int16([-1 2 3])
%     ovrix_close(h);
%
%   See also ovrix_write8, ovrix_write32, ovrix_read16, ovrix_write16_dma,
%   ovrix.
