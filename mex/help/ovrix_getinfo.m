% OVRIX_GETINFO  Card information: identity, board and FPGA type, resources.
%   ID = ovrix_getinfo(H)
%   [ID, SERIAL, BOARD, FPGA, NUMCLOCK, NUMDMA, NUMSPACE, NUMBANK, ...
%    LOCALSIZE, BOARDREV, LOGICREV] = ovrix_getinfo(H)
%
%   Reads the card-information record of the card and returns its fields,
%   as many as outputs are asked for (the first one always). Needs no
%   configured FPGA.
%
%   Input
%     H          card handle: the 1x1 uint32 that ovrix_init returns, passed
%                as returned (uint32, or int32 of the same value; not
%                double(H)).
%
%   Outputs
%     ID         card identifier, 1x1 double.
%     SERIAL     serial number, 1x1 double.
%     BOARD      board type name, char, e.g. 'xrc4sx' or 'xrc5t1'.
%     FPGA       FPGA type name, char, e.g. 'Virtex-4 V4SX35'; a code with no
%                name gives 'Unknown<code>', or 'unknown (0x<hex>)' past the
%                table.
%     NUMCLOCK   programmable clocks, 1x1 uint32.
%     NUMDMA     DMA channels, 1x1 uint32.
%     NUMSPACE   spaces of the local bus, 1x1 uint32 (see ovrix_getspaceinfo).
%     NUMBANK    memory banks, 1x1 uint32 (see ovrix_getbankinfo).
%     LOCALSIZE  bytes of local address space, 1x1 uint32.
%     BOARDREV   board revision, 1x1 uint8.
%     LOGICREV   logic revision, 1x1 uint8.
%
%   Failures (Octave shows each prefixed with "ovrix_getinfo: ")
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     Failed to get card info: TEXT
%     Unknown board type: N       (only when BOARD is asked for)
%     Too many output parameters  (more than 11 outputs; checked after the
%                                  card has been read and the outputs made)
%   DESCRIPTION names what was given, e.g. "1x1 cell"; TEXT is the
%   card library's status text, e.g. "Invalid card handle".
%
%   Example
%     h = ovrix_init();
%     [id, serial, board, fpga] = ovrix_getinfo(h)
%     % on the virtual card: 0, 1001, 'xrc4sx', 'Virtex-4 V4SX35'
%     [~, ~, ~, ~, nclk, ndma] = ovrix_getinfo(h);    % 2 and 2
%     ovrix_close(h);
%
%   See also ovrix_getspaceinfo, ovrix_getbankinfo, ovrix_init, ovrix.
