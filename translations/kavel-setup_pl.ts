<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>Messages</name>
    <message>
        <source>The device connected is not of %1 type, <byte value="xd"/> It is now connected: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finish the change, undo it, or leave the tester as it is for now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set-up the command program [Options] - port: %1 incorrect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port: %1   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> OK. Device&apos;s nominal voltage has been changed into %1 V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  It is now connected:  [%1]<byte value="xd"/></source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The device connected to the computer is not supported by this application.<byte value="xd"/> Devices supported by the program: TVA-740, DKL-310.                      <byte value="xd"/> It is now connected: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> It is now connected: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KAVEL S.A. devices&apos; setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Confirmation </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown failure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> No device detected, check if:                            <byte value="xd"/> - the device is turned on in RS-232 communication mode?  <byte value="xd"/> - the port selected is not used by some other device?    <byte value="xd"/> - the connection between computer and device is correct? </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Error transmitting the device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finish the change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo the change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave it for now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tester no longer holds what it held a moment ago, so nothing was written. Open the dialog again to see what it holds now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Port it is not been defined;   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Device and/or communication port has not been selected </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>      Select a communication port.     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>          Select the device.           </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port selected is not available.                      <byte value="xd"/>Check if it is not used by some other application/device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> It is now connected: ???</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have to select at least one of the parameters <byte value="xd"/>intended for tripping RCD on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> To change setup of device&apos;s AUTO mode ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> OK - done.                                     <byte value="xd"/> Setup change of device&apos;s AUTO mode successful.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Change device&apos;s nominal voltage ?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RcdTestLabel</name>
    <message>
        <source>positive half-wave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>negative half-wave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trip current, %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trip time at %1×IΔn, %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Setup program of KAVEL S.A. devices (QSN-740 type) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;RCDs  AUTO mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nominal &amp;voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmChangeVoltage</name>
    <message>
        <source>Nominal voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current set
nominal voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmHelp</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup program of KAVEL S.A. devices (TVA-740 type) 

  Attention: During the application process the device should be connected 
to the computer by the suitable cable (ZT-LINK) and it should be turned 
on in data transmission mode.

  The parameters that can be set-up in particular devices:
  RCD - AUTO measurement&apos;s setup

  Follow the instructions below:

  1) After running the application select from the main  menu -&gt; command 
[Options], select:
  - the serial port to which the device is connected, the application will 
enable the setup of ports available only in the computer,
  - device&apos;s type, you can (without earlier device&apos;s type setup) start -&gt; 
command [Transmission test] that will identify the device connected,
  - there is an option to run a test connecting the device, command 
[Transmission test].

  2) Depending on the type of connected device the appropriate 
configuration functions will be available in option [Commands] from the main 
menu.
  - a start of the function makes reading device&apos;s current setup,
  - set-up demanded positions and send to the device -&gt; command [Set-up] 
or  cancel changes -&gt; command [Cancel].

  3) Close running of the program. The program will automatically save its 
setup.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmInfo</name>
    <message>
        <source>About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KAVEL S.A. devices&apos; setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>00-000 Nigdziewo, Poland</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmOption</name>
    <message>
        <source>Option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>transsmition test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfmSetupAUTO</name>
    <message>
        <source>Setup of RCDs&apos; measurement AUTO mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time T&lt;sub&gt;A&lt;/sub&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current I&lt;sub&gt;A&lt;/sub&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn on basic options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn off all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At least one of the options in blue
colour should be selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue: a test that trips the RCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A test that must not trip the RCD</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
