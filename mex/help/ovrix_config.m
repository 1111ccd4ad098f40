% OVRIX_CONFIG  Load an FPGA bitstream file into the card.
%   ovrix_config(H, FILE)
%
%   Configures the card's FPGA from the bitstream file FILE. The name goes
%   to the card library as given, so a relative name is taken from the
%   current folder. Programmed and DMA transfers need a configured FPGA; the
%   clock and information commands do not. A failed load leaves the FPGA as
%   it was.
%
%   Inputs
%     H       card handle: the 1x1 uint32 that ovrix_init returns, passed as
%             returned (uint32, or int32 of the same value; not double(H)).
%     FILE    file name, a char row vector. Other classes are not refused
%             but give no usable name (in Octave an empty one), so the load
%             fails to open the file.
%
%   Output
%     None.
%
%   Failures (Octave shows each prefixed with "ovrix_config: ")
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     Failed to load the bitstream 'FILE': TEXT
%   DESCRIPTION names what was given, e.g. "1x1 cell"; TEXT is the
%   card library's status text. The virtual card's texts here:
%     Cannot open the bitstream file
%     The bitstream file is empty
%     Not a bitstream: no sync word in the first 4 KiB
%     Invalid card handle
%   The virtual card takes any file holding the sync word AA 99 55 66 in its
%   first 4 KiB. The sample bitstream ovrix_sample.bit comes with ovrix,
%   beside the plug-ins and in examples/.
%
%   Example
%     h = ovrix_init();
%     ovrix_config(h, 'ovrix_sample.bit');   % from the folder that holds it
%     ovrix_write32(h, 0, uint32(1:8));
%     x = ovrix_read32(h, 0, 8);
%     ovrix_close(h);
%
%   See also ovrix_init, ovrix_setclockrate, ovrix_getinfo, ovrix.
