<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>HalfChange</name>
    <message>
        <source>The change of this %1 on %2 on %3 at %4 UTC (%5) was cut short between its writes: its %6 holds the new setting, its %7 still the old one. Until this is put right the tester is neither as it was nor as it was meant to be.</source>
        <translation>Zmiana w mierniku %1 na porcie %2, wykonana %3 o %4 UTC (%5), została przerwana między zapisami: %6 ma już nowe ustawienie, a %7 nadal stare. Dopóki nie zostanie to naprawione, miernik nie jest ani w stanie poprzednim, ani w zamierzonym.</translation>
    </message>
    <message>
        <source>nominal voltage %1 V to %2 V</source>
        <translation>napięcie znamionowe z %1 V na %2 V</translation>
    </message>
    <message>
        <source>AUTO-mode byte %1 to %2</source>
        <translation>bajt trybu AUTO z %1 na %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 i %2</translation>
    </message>
    <message>
        <source>voltage word</source>
        <translation>słowo napięcia</translation>
    </message>
    <message>
        <source>balance word</source>
        <translation>słowo równoważące</translation>
    </message>
    <message>
        <source>AUTO-mode byte</source>
        <translation>bajt trybu AUTO</translation>
    </message>
    <message>
        <source>voltage bit</source>
        <translation>bit napięcia</translation>
    </message>
    <message>
        <source>settings block&apos;s CRC</source>
        <translation>suma CRC bloku ustawień</translation>
    </message>
    <message>
        <source>EEPROM address %1</source>
        <translation>adres EEPROM %1</translation>
    </message>
    <message>
        <source>The change was cut short between its writes: the tester may now hold a mix of old and new bytes, neither the old setting nor the new one (its %1).</source>
        <translation>Zmiana została przerwana między zapisami: miernik może teraz mieć mieszaninę starych i nowych bajtów, ani poprzednie, ani nowe ustawienie (%1).</translation>
    </message>
    <message>
        <source>%1 %2 (old) or %3 (new)</source>
        <translation>%1: %2 (stare) lub %3 (nowe)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>It will be offered for finishing or undoing the next time this tester is met.</source>
        <translation>Przy następnym podłączeniu tego miernika program zaproponuje dokończenie lub cofnięcie zmiany.</translation>
    </message>
    <message>
        <source>The record of changes could not keep this, so it cannot be offered for finishing or undoing: have the tester checked.</source>
        <translation>Rejestr zmian nie mógł tego zapisać, więc program nie zaproponuje dokończenia ani cofnięcia zmiany: oddaj miernik do sprawdzenia.</translation>
    </message>
    <message>
        <source>The change has been finished: the tester now holds the new setting throughout.</source>
        <translation>Zmiana została dokończona: miernik ma teraz w całości nowe ustawienie.</translation>
    </message>
    <message>
        <source>The change has been undone: the tester holds its old setting throughout again.</source>
        <translation>Zmiana została cofnięta: miernik ma znów w całości poprzednie ustawienie.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>The device connected is not of %1 type, <byte value="xd"/> It is now connected: %2</source>
        <translation>Podłączony miernik nie jest typu %1.<byte value="xd"/>Podłączony miernik: %2</translation>
    </message>
    <message>
        <source>Finish the change, undo it, or leave the tester as it is for now?</source>
        <translation>Dokończyć zmianę, cofnąć ją, czy na razie zostawić miernik tak, jak jest?</translation>
    </message>
    <message>
        <source>Set-up the command program [Options] - port: %1 incorrect</source>
        <translation>Niepoprawny port: %1. Wybierz port szeregowy poleceniem [Opcje].</translation>
    </message>
    <message>
        <source>Port: %1   </source>
        <translation>Port: %1</translation>
    </message>
    <message>
        <source> OK. Device&apos;s nominal voltage has been changed into %1 V</source>
        <translation>OK. Napięcie znamionowe miernika zmieniono na %1 V.</translation>
    </message>
    <message>
        <source>  It is now connected:  [%1]<byte value="xd"/></source>
        <translation>Podłączony miernik: [%1]</translation>
    </message>
    <message>
        <source>The device connected to the computer is not supported by this application.<byte value="xd"/> Devices supported by the program: TVA-740, DKL-310.                      <byte value="xd"/> It is now connected: %1</source>
        <translation>Program nie obsługuje miernika podłączonego do komputera.<byte value="xd"/>Obsługiwane mierniki: TVA-740, DKL-310.<byte value="xd"/>Podłączony miernik: %1</translation>
    </message>
    <message>
        <source> It is now connected: %1</source>
        <translation>Podłączony miernik: %1</translation>
    </message>
    <message>
        <source>KAVEL S.A. devices&apos; setup</source>
        <translation>Konfiguracja urządzeń KAVEL S.A.</translation>
    </message>
    <message>
        <source> Confirmation </source>
        <translation>Potwierdzenie</translation>
    </message>
    <message>
        <source>Unknown failure</source>
        <translation>Nieznany błąd</translation>
    </message>
    <message>
        <source> No device detected, check if:                            <byte value="xd"/> - the device is turned on in RS-232 communication mode?  <byte value="xd"/> - the port selected is not used by some other device?    <byte value="xd"/> - the connection between computer and device is correct? </source>
        <translation>Nie wykryto miernika. Sprawdź, czy:<byte value="xd"/>– miernik jest włączony w trybie transmisji RS-232,<byte value="xd"/>– wybranego portu nie zajmuje inne urządzenie,<byte value="xd"/>– miernik jest prawidłowo połączony z komputerem.</translation>
    </message>
    <message>
        <source> Error transmitting the device.</source>
        <translation>Błąd transmisji danych z miernikiem.</translation>
    </message>
    <message>
        <source>Finish the change</source>
        <translation>Dokończ zmianę</translation>
    </message>
    <message>
        <source>Undo the change</source>
        <translation>Cofnij zmianę</translation>
    </message>
    <message>
        <source>Leave it for now</source>
        <translation>Zostaw na razie</translation>
    </message>
    <message>
        <source>The tester no longer holds what it held a moment ago, so nothing was written. Open the dialog again to see what it holds now.</source>
        <translation>Ustawienia miernika zmieniły się od odczytu sprzed chwili, więc niczego nie zapisano. Otwórz okno ponownie, aby zobaczyć obecne ustawienia.</translation>
    </message>
    <message>
        <source> Port it is not been defined;   </source>
        <translation>Nie wybrano portu szeregowego</translation>
    </message>
    <message>
        <source> Device and/or communication port has not been selected </source>
        <translation>Nie wybrano miernika lub portu szeregowego.</translation>
    </message>
    <message>
        <source>      Select a communication port.     </source>
        <translation>Wybierz port szeregowy.</translation>
    </message>
    <message>
        <source>          Select the device.           </source>
        <translation>Wybierz typ miernika.</translation>
    </message>
    <message>
        <source>The port selected is not available.                      <byte value="xd"/>Check if it is not used by some other application/device.</source>
        <translation>Wybrany port jest niedostępny.<byte value="xd"/>Sprawdź, czy nie używa go inny program lub urządzenie.</translation>
    </message>
    <message>
        <source> It is now connected: ???</source>
        <translation>Podłączony miernik: ???</translation>
    </message>
    <message>
        <source>You have to select at least one of the parameters <byte value="xd"/>intended for tripping RCD on.</source>
        <translation>Zaznacz co najmniej jeden pomiar,<byte value="xd"/>który wyzwala wyłącznik różnicowoprądowy (RCD).</translation>
    </message>
    <message>
        <source> To change setup of device&apos;s AUTO mode ?</source>
        <translation>Zmienić ustawienia trybu AUTO miernika?</translation>
    </message>
    <message>
        <source> OK - done.                                     <byte value="xd"/> Setup change of device&apos;s AUTO mode successful.</source>
        <translation>OK – gotowe.<byte value="xd"/>Ustawienia trybu AUTO miernika zostały zmienione.</translation>
    </message>
    <message>
        <source> Change device&apos;s nominal voltage ?</source>
        <translation>Zmienić napięcie znamionowe miernika?</translation>
    </message>
</context>
<context>
    <name>RcdTestLabel</name>
    <message>
        <source>positive half-wave</source>
        <translation>dodatnia półfala</translation>
    </message>
    <message>
        <source>negative half-wave</source>
        <translation>ujemna półfala</translation>
    </message>
    <message>
        <source>Trip current, %1</source>
        <translation>Prąd zadziałania, %1</translation>
    </message>
    <message>
        <source>Trip time at %1×IΔn, %2</source>
        <translation>Czas zadziałania przy %1×IΔn, %2</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Setup program of KAVEL S.A. devices (QSN-740 type) </source>
        <translation>Program konfiguracyjny urządzeń KAVEL S.A. (typ QSN-740)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation>&amp;Konfiguracja</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Pomo&amp;c</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Zakończ</translation>
    </message>
    <message>
        <source>&amp;RCDs  AUTO mode</source>
        <translation>Tryb &amp;AUTO pomiaru RCD</translation>
    </message>
    <message>
        <source>Nominal &amp;voltage</source>
        <translation>&amp;Napięcie znamionowe</translation>
    </message>
    <message>
        <source>&amp;Option</source>
        <translation>&amp;Opcje</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;O programie...</translation>
    </message>
</context>
<context>
    <name>TfmChangeVoltage</name>
    <message>
        <source>Nominal voltage</source>
        <translation>Napięcie znamionowe</translation>
    </message>
    <message>
        <source>Current set
nominal voltage</source>
        <translation>Ustawione obecnie
napięcie znamionowe</translation>
    </message>
    <message>
        <source>read</source>
        <translation>odczyt</translation>
    </message>
    <message>
        <source>Change to:</source>
        <translation>Zmień na:</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>TfmHelp</name>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
        <translation>Program konfiguracyjny urządzeń KAVEL S.A. (typ TVA-740)

Uwaga: podczas pracy programu miernik powinien być połączony z komputerem odpowiednim przewodem (ZT-LINK) i włączony w trybie transmisji danych.

Ustawienia, które można zmienić w poszczególnych miernikach:
– ustawienia pomiaru RCD w trybie AUTO,
– napięcie znamionowe.

Postępuj zgodnie z poniższymi wskazówkami:

1) Po uruchomieniu programu wybierz z menu głównego polecenie [Opcje], a w nim:
– port szeregowy, do którego podłączony jest miernik (program pozwala wybrać tylko porty dostępne w komputerze),
– typ miernika; bez wcześniejszego wybrania typu możesz uruchomić polecenie [Test transmisji], które rozpozna podłączony miernik,
– polecenie [Test transmisji] sprawdza też połączenie z miernikiem.

2) Zależnie od typu podłączonego miernika w menu głównym [Konfiguracja] dostępne będą odpowiednie funkcje konfiguracyjne:
– uruchomienie funkcji odczytuje bieżące ustawienia miernika,
– ustaw żądane pozycje i wyślij je do miernika poleceniem [Ustaw] albo zrezygnuj ze zmian poleceniem [Anuluj].

3) Zamknij program. Program sam zapisze swoje ustawienia.
</translation>
    </message>
</context>
<context>
    <name>TfmInfo</name>
    <message>
        <source>About...</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>KAVEL S.A. devices&apos; setup</source>
        <translation>Konfiguracja urządzeń KAVEL S.A.</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Wersja:</translation>
    </message>
    <message>
        <source>00-000 Nigdziewo, Poland</source>
        <translation>00-000 Nigdziewo, Polska</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Uses Qt under the LGPL-3</source>
        <translation>Używa Qt na licencji LGPL-3</translation>
    </message>
    <message>
        <source>About Qt...</source>
        <translation>O Qt...</translation>
    </message>
</context>
<context>
    <name>TfmOption</name>
    <message>
        <source>Option</source>
        <translation>Opcje</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Język:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Miernik:</translation>
    </message>
    <message>
        <source>transsmition test</source>
        <translation>Test transmisji</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>TfmSetupAUTO</name>
    <message>
        <source>Setup of RCDs&apos; measurement AUTO mode</source>
        <translation>Ustawienia trybu AUTO pomiaru RCD</translation>
    </message>
    <message>
        <source>Time T&lt;sub&gt;A&lt;/sub&gt;</source>
        <translation>Czas zadziałania T&lt;sub&gt;A&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>Current I&lt;sub&gt;A&lt;/sub&gt;</source>
        <translation>Prąd zadziałania I&lt;sub&gt;A&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Zaznacz wszystkie</translation>
    </message>
    <message>
        <source>Turn on basic options</source>
        <translation>Opcje podstawowe</translation>
    </message>
    <message>
        <source>Turn off all</source>
        <translation>Odznacz wszystkie</translation>
    </message>
    <message>
        <source>At least one of the options in blue
colour should be selected</source>
        <translation>Zaznacz co najmniej jedną opcję
w kolorze niebieskim</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Blue: a test that trips the RCD</source>
        <translation>Niebieski: pomiar, który wyzwala RCD</translation>
    </message>
    <message>
        <source>A test that must not trip the RCD</source>
        <translation>Pomiar, który nie może wyzwolić RCD</translation>
    </message>
</context>
</TS>
