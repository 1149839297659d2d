<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>ChangeHistory</name>
    <message>
        <source>Time</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Time (UTC)</source>
        <translation>Czas (UTC)</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Computer and user</source>
        <translation>Komputer i użytkownik</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Tester</source>
        <translation>Miernik</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Ustawienie</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Wynik</translation>
    </message>
    <message>
        <source>nominal voltage %1 V → %2 V</source>
        <translation>napięcie znamionowe %1 V → %2 V</translation>
    </message>
    <message>
        <source>AUTO mode: %1 → %2</source>
        <translation>tryb AUTO: %1 → %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>trip time 0.5×IΔn positive</source>
        <translation>czas zadziałania przy 0,5×IΔn, dodatnia półfala</translation>
    </message>
    <message>
        <source>trip time 0.5×IΔn negative</source>
        <translation>czas zadziałania przy 0,5×IΔn, ujemna półfala</translation>
    </message>
    <message>
        <source>trip time 1×IΔn positive</source>
        <translation>czas zadziałania przy 1×IΔn, dodatnia półfala</translation>
    </message>
    <message>
        <source>trip time 1×IΔn negative</source>
        <translation>czas zadziałania przy 1×IΔn, ujemna półfala</translation>
    </message>
    <message>
        <source>trip time 5×IΔn positive</source>
        <translation>czas zadziałania przy 5×IΔn, dodatnia półfala</translation>
    </message>
    <message>
        <source>trip time 5×IΔn negative</source>
        <translation>czas zadziałania przy 5×IΔn, ujemna półfala</translation>
    </message>
    <message>
        <source>trip current IΔ positive</source>
        <translation>prąd zadziałania IΔ, dodatnia półfala</translation>
    </message>
    <message>
        <source>trip current IΔ negative</source>
        <translation>prąd zadziałania IΔ, ujemna półfala</translation>
    </message>
    <message>
        <source>done</source>
        <translation>wykonano</translation>
    </message>
    <message>
        <source>put back</source>
        <translation>przywrócono</translation>
    </message>
    <message>
        <source>half-changed</source>
        <translation>przerwano w połowie</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>nie zapisano</translation>
    </message>
    <message>
        <source>repaired</source>
        <translation>naprawiono</translation>
    </message>
    <message>
        <source>given up</source>
        <translation>porzucono</translation>
    </message>
    <message>
        <source>%1, not yet put right</source>
        <translation>%1, jeszcze nie naprawiono</translation>
    </message>
    <message>
        <source>%1; finished %2</source>
        <translation>%1; dokończono %2</translation>
    </message>
    <message>
        <source>%1; undone %2</source>
        <translation>%1; cofnięto %2</translation>
    </message>
    <message>
        <source>%1; found to have taken %2</source>
        <translation>%1; sprawdzono %2: zmiana się przyjęła</translation>
    </message>
    <message>
        <source>%1; found not to have taken %2</source>
        <translation>%1; sprawdzono %2: zmiana się nie przyjęła</translation>
    </message>
    <message>
        <source>%1; given up %2</source>
        <translation>%1; porzucono %2</translation>
    </message>
    <message>
        <source>%1  %2, %3: %4 (%5 %6, %7 / %8, %9)</source>
        <translation>%1  %2, %3: %4 (%5 %6, %7 / %8, %9)</translation>
    </message>
    <message>
        <source>started</source>
        <translation>rozpoczęto</translation>
    </message>
    <message>
        <source>change</source>
        <translation>zmiana</translation>
    </message>
    <message>
        <source>finish</source>
        <translation>dokończenie</translation>
    </message>
    <message>
        <source>undo</source>
        <translation>cofnięcie</translation>
    </message>
    <message>
        <source>check</source>
        <translation>sprawdzenie</translation>
    </message>
    <message>
        <source>give-up</source>
        <translation>porzucenie</translation>
    </message>
    <message>
        <source>    %1 (EEPROM %2): before %3, written %4, put back %5: %6</source>
        <translation>    %1 (EEPROM %2): przed %3, zapisano %4, przywrócono %5: %6</translation>
    </message>
    <message>
        <source>planned</source>
        <translation>zaplanowano</translation>
    </message>
    <message>
        <source>written</source>
        <translation>zapisano</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>nie wiadomo</translation>
    </message>
</context>
<context>
    <name>HalfChange</name>
    <message>
        <source>voltage word</source>
        <translation>słowo napięcia</translation>
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
        <source>EEPROM address %1</source>
        <translation>adres EEPROM %1</translation>
    </message>
    <message>
        <source>The change was cut short between its writes: the tester may now hold a mix of old and new bytes, neither the old setting nor the new one (its %1).</source>
        <translation>Zmiana została przerwana między zapisami: miernik może teraz zawierać częściowo poprzednie, a częściowo nowe bajty, czyli ani poprzednie, ani nowe ustawienie (%1).</translation>
    </message>
    <message>
        <source>%1 %2 (old) or %3 (new)</source>
        <translation>%1: %2 (poprzednie) lub %3 (nowe)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>It will be offered for finishing or undoing the next time this tester is met.</source>
        <translation>Przy następnym połączeniu z tym miernikiem program zaproponuje dokończenie lub cofnięcie zmiany.</translation>
    </message>
    <message>
        <source>The record of changes could not keep this, so it cannot be offered for finishing or undoing: have the tester checked.</source>
        <translation>Nie udało się tego zapisać w rejestrze zmian, więc program nie zaproponuje dokończenia ani cofnięcia zmiany: oddaj miernik do sprawdzenia.</translation>
    </message>
    <message>
        <source>The change has been finished: the tester now holds the new setting throughout.</source>
        <translation>Zmiana została dokończona: miernik ma teraz w całości nowe ustawienie.</translation>
    </message>
    <message>
        <source>The change has been undone: the tester holds its old setting throughout again.</source>
        <translation>Zmiana została cofnięta: miernik ma znów w całości poprzednie ustawienie.</translation>
    </message>
    <message>
        <source>calibration word</source>
        <translation>słowo kompensacji kalibracji</translation>
    </message>
    <message>
        <source>settings block&apos;s checksum</source>
        <translation>suma kontrolna bloku ustawień</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>new setting&apos;s</source>
        <translation>nowego ustawienia</translation>
    </message>
    <message>
        <source>old setting&apos;s</source>
        <translation>poprzedniego ustawienia</translation>
    </message>
    <message>
        <source>nominal voltage %1 V → %2 V</source>
        <translation>napięcie znamionowe %1 V → %2 V</translation>
    </message>
    <message>
        <source>the RCD AUTO-mode settings</source>
        <translation>ustawienia trybu AUTO pomiaru RCD</translation>
    </message>
    <message>
        <source>the %1 already holds the %2 value</source>
        <translation>%1 zawiera już wartość dla %2</translation>
    </message>
    <message>
        <source>the %1 still holds the %2 one</source>
        <translation>%1 nadal zawiera wartość dla %2</translation>
    </message>
    <message>
        <source>%1 (EEPROM address %2): before the change %3, to be written %4, holds %5 now.</source>
        <translation>%1 (adres EEPROM %2): przed zmianą %3, do zapisania %4, obecnie %5.</translation>
    </message>
    <message>
        <source>The change of the %1 on port %2, begun %3, was cut short: %4.<byte value="xd"/>In the tester now %5. Until this is put right the tester is neither as it was nor as it was meant to be.</source>
        <translation>Zmiana w mierniku %1 na porcie %2, rozpoczęta %3, została przerwana: %4.<byte value="xd"/>Obecnie %5. Dopóki zmiana nie zostanie dokończona albo cofnięta, miernik nie jest ustawiony ani tak jak przedtem, ani tak, jak miał być.</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>Change %1, begun %2 (UTC).</source>
        <translation>Zmiana %1, rozpoczęta %2 (UTC).</translation>
    </message>
</context>
<context>
    <name>KavelLogo</name>
    <message>
        <source>The maker&apos;s logo</source>
        <translation>Logo producenta</translation>
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
        <translation>Dokończyć zmianę, cofnąć ją czy na razie zostawić miernik bez zmian?</translation>
    </message>
    <message>
        <source>Set-up the command program [Options] - port: %1 incorrect</source>
        <translation>Nie można otworzyć portu szeregowego %1. Sprawdź, czy miernik jest podłączony do tego portu (przewód, adapter USB), albo wybierz inny port poleceniem [Opcje].</translation>
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
        <translation>Zaznacz co najmniej jeden pomiar<byte value="xd"/>powodujący zadziałanie wyłącznika różnicowoprądowego (RCD).</translation>
    </message>
    <message>
        <source> To change setup of device&apos;s AUTO mode ?</source>
        <translation>Zmienić ustawienia trybu AUTO pomiaru RCD w mierniku?</translation>
    </message>
    <message>
        <source> OK - done.                                     <byte value="xd"/> Setup change of device&apos;s AUTO mode successful.</source>
        <translation>OK – gotowe.<byte value="xd"/>Ustawienia trybu AUTO pomiaru RCD zostały zmienione.</translation>
    </message>
    <message>
        <source> Change device&apos;s nominal voltage ?</source>
        <translation>Zmienić napięcie znamionowe miernika?</translation>
    </message>
    <message>
        <source>Set-up the command program [Options] - port:  incorrect</source>
        <translation>Nie wybrano portu szeregowego. Wybierz port, do którego podłączony jest miernik, poleceniem [Opcje].</translation>
    </message>
    <message>
        <source>TVA740 v1</source>
        <comment>device in the status line</comment>
        <translation>TVA-740 v1</translation>
    </message>
    <message>
        <source>TVA740 v2</source>
        <comment>device in the status line</comment>
        <translation>TVA-740 v2</translation>
    </message>
    <message>
        <source>DKL310</source>
        <comment>device in the status line</comment>
        <translation>DKL-310</translation>
    </message>
    <message>
        <source> Port it is not been defined;   </source>
        <comment>no port saved</comment>
        <translation>Nie wybrano portu szeregowego</translation>
    </message>
    <message>
        <source> Port it is not been defined;    %1</source>
        <comment>no port saved</comment>
        <translation>Nie wybrano portu szeregowego; miernik: %1</translation>
    </message>
    <message>
        <source> Port it is not been defined;   </source>
        <comment>the saved port did not open</comment>
        <translation>Port szeregowy nie jest otwarty</translation>
    </message>
    <message>
        <source> Port it is not been defined;    %1</source>
        <comment>the saved port did not open</comment>
        <translation>Port szeregowy nie jest otwarty; miernik: %1</translation>
    </message>
    <message>
        <source>Port: %1    %2</source>
        <translation>Port: %1; miernik: %2</translation>
    </message>
    <message>
        <source>Change cut short</source>
        <translation>Przerwana zmiana</translation>
    </message>
    <message>
        <source>The record of changes: %1
%2</source>
        <translation>Rejestr zmian: %1
%2</translation>
    </message>
    <message>
        <source>The record of changes cannot be read, so it is not known whether a change to this tester was cut short. Its settings are shown, but nothing will be written to it until the record can be read.</source>
        <translation>Nie można odczytać rejestru zmian, więc nie wiadomo, czy jakaś zmiana w tym mierniku nie została przerwana. Ustawienia miernika zostaną pokazane, ale nic nie zostanie w nim zapisane, dopóki rejestru nie da się odczytać.</translation>
    </message>
    <message>
        <source>The record of changes cannot take this change, so if the change is cut short between its writes, nothing will find it. Change the tester without a trace all the same?</source>
        <translation>Tej zmiany nie można zapisać w rejestrze zmian, więc jeśli zostanie przerwana między zapisami, nic jej potem nie odnajdzie. Mimo to zmienić ustawienia miernika bez śladu w rejestrze?</translation>
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
        <translation>Tryb &amp;AUTO pomiaru RCD…</translation>
    </message>
    <message>
        <source>Nominal &amp;voltage</source>
        <translation>&amp;Napięcie znamionowe…</translation>
    </message>
    <message>
        <source>&amp;Option</source>
        <translation>&amp;Opcje</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>&amp;Pomoc…</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;O programie…</translation>
    </message>
    <message>
        <source>&amp;Changes to testers...</source>
        <translation>Z&amp;miany w miernikach...</translation>
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
        <translation>&amp;Ustaw</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>&amp;Anuluj</translation>
    </message>
</context>
<context>
    <name>TfmChanges</name>
    <message>
        <source>Changes to testers</source>
        <translation>Zmiany w miernikach</translation>
    </message>
    <message>
        <source>&amp;Tester:</source>
        <translation>&amp;Miernik:</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>T&amp;ime:</source>
        <translation>&amp;Okres:</translation>
    </message>
    <message>
        <source>Pending &amp;only</source>
        <translation>Tylko &amp;niedokończone</translation>
    </message>
    <message>
        <source>Changes to testers, newest first</source>
        <translation>Zmiany w miernikach, od najnowszej</translation>
    </message>
    <message>
        <source>&amp;Details...</source>
        <translation>&amp;Szczegóły...</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation>&amp;Dokończ</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Cofnij</translation>
    </message>
    <message>
        <source>&amp;Give up</source>
        <translation>Po&amp;rzuć</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Eksportuj...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystkie</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Dzisiaj</translation>
    </message>
    <message>
        <source>Last 30 days</source>
        <translation>Ostatnie 30 dni</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 na %2</translation>
    </message>
    <message>
        <source>All testers</source>
        <translation>Wszystkie mierniki</translation>
    </message>
    <message>
        <source>All ports</source>
        <translation>Wszystkie porty</translation>
    </message>
    <message>
        <source>%1 on %2, %3: %4. Outcome: %5.</source>
        <translation>%1 na porcie %2, %3: %4. Wynik: %5.</translation>
    </message>
    <message>
        <source>Finish the change cut short (%1) on the %2 on port %3?<byte value="xd"/><byte value="xd"/>This writes to the tester: %4.</source>
        <translation>Dokończyć przerwaną zmianę (%1) w mierniku %2 na porcie %3?<byte value="xd"/><byte value="xd"/>W mierniku zostanie zapisane: %4.</translation>
    </message>
    <message>
        <source>Undo the change cut short (%1) on the %2 on port %3?<byte value="xd"/><byte value="xd"/>This writes to the tester: %4.</source>
        <translation>Cofnąć przerwaną zmianę (%1) w mierniku %2 na porcie %3?<byte value="xd"/><byte value="xd"/>W mierniku zostanie zapisane: %4.</translation>
    </message>
    <message>
        <source>The tester on port %1 does not hold this change cut short, so nothing was written to it. Connect the tester it was made on.</source>
        <translation>Miernik na porcie %1 nie ma w sobie tej przerwanej zmiany, więc niczego w nim nie zapisano. Podłącz miernik, w którym ją wykonano.</translation>
    </message>
    <message>
        <source>Give up the change cut short (%1) on the %2 on port %3?<byte value="xd"/><byte value="xd"/>Nothing is written to any tester. The record will say that you gave it up, and it will no longer be offered for finishing or undoing.</source>
        <translation>Porzucić przerwaną zmianę (%1) w mierniku %2 na porcie %3?<byte value="xd"/><byte value="xd"/>W żadnym mierniku nic nie zostanie zapisane. Rejestr zmian odnotuje, że ją porzucono, a program nie będzie już proponował jej dokończenia ani cofnięcia.</translation>
    </message>
    <message>
        <source>The change cut short has been given up.</source>
        <translation>Przerwana zmiana została porzucona.</translation>
    </message>
    <message>
        <source>Export the changes</source>
        <translation>Eksport zmian</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Pliki CSV (*.csv)</translation>
    </message>
    <message>
        <source>The changes could not be written to %1.</source>
        <translation>Nie udało się zapisać zmian do pliku %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) written to %1.</source>
        <translation>
            <numerusform>Zapisano %n zmianę do pliku %1.</numerusform>
            <numerusform>Zapisano %n zmiany do pliku %1.</numerusform>
            <numerusform>Zapisano %n zmian do pliku %1.</numerusform>
        </translation>
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
– tryb AUTO pomiaru RCD,
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
        <translation>&amp;Język:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>&amp;Miernik:</translation>
    </message>
    <message>
        <source>transsmition test</source>
        <translation>&amp;Test transmisji</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>&amp;Anuluj</translation>
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
        <translation>Zaznacz &amp;wszystkie</translation>
    </message>
    <message>
        <source>Turn on basic options</source>
        <translation>Zaznacz &amp;podstawowe</translation>
    </message>
    <message>
        <source>Turn off all</source>
        <translation>&amp;Odznacz wszystkie</translation>
    </message>
    <message>
        <source>At least one of the options in blue
colour should be selected</source>
        <translation>Zaznacz co najmniej jeden pomiar
oznaczony kolorem niebieskim</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>&amp;Ustaw</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>&amp;Anuluj</translation>
    </message>
    <message>
        <source>Blue: a test that trips the RCD</source>
        <translation>Niebieski: pomiar powodujący zadziałanie RCD</translation>
    </message>
    <message>
        <source>A test that must not trip the RCD</source>
        <translation>Pomiar, w którym RCD nie powinien zadziałać</translation>
    </message>
</context>
<context>
    <name>UserWords</name>
    <message>
        <source>The tester&apos;s reply came damaged or incomplete. Try again; if it happens again, check the cable.</source>
        <translation>Odpowiedź miernika dotarła uszkodzona lub niepełna. Spróbuj ponownie; jeśli błąd się powtórzy, sprawdź przewód.</translation>
    </message>
    <message>
        <source>The serial port could not be opened.</source>
        <translation>Nie można otworzyć portu szeregowego.</translation>
    </message>
    <message>
        <source>The connection with the tester through the serial port was broken off. Check the cable and choose the port again with [Option].</source>
        <translation>Połączenie z miernikiem przez port szeregowy zostało przerwane. Sprawdź przewód i wybierz port ponownie poleceniem [Opcje].</translation>
    </message>
    <message>
        <source>The serial port failed.</source>
        <translation>Błąd portu szeregowego.</translation>
    </message>
    <message>
        <source>The tester does not answer. Check that it is turned on in RS-232 communication mode and connected to the computer.</source>
        <translation>Miernik nie odpowiada. Sprawdź, czy jest włączony w trybie transmisji RS-232 i połączony z komputerem.</translation>
    </message>
    <message>
        <source>The tester did not confirm the write.</source>
        <translation>Miernik nie potwierdził zapisu.</translation>
    </message>
    <message>
        <source>This tester has no such setting.</source>
        <translation>Ten miernik nie ma takiego ustawienia.</translation>
    </message>
    <message>
        <source>The list of serial ports could not be read from the system.</source>
        <translation>Nie można odczytać z systemu listy portów szeregowych.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be saved.</source>
        <translation>Nie można zapisać pliku ustawień %1.</translation>
    </message>
    <message>
        <source>The operation failed.</source>
        <translation>Operacja nie powiodła się.</translation>
    </message>
    <message>
        <source>Port %1: no such serial port on this computer; bind one in the [Ports] section of the settings file.</source>
        <translation>Port %1: w tym komputerze nie ma takiego portu szeregowego. Przypisz go w sekcji [Ports] pliku ustawień.</translation>
    </message>
    <message>
        <source>Port %1: no such serial port on this computer; Device Manager lists the ports there are under &quot;Ports (COM &amp; LPT)&quot;.</source>
        <translation>Port %1: w tym komputerze nie ma takiego portu szeregowego. Dostępne porty wymienia Menedżer urządzeń w gałęzi „Porty (COM i LPT)”.</translation>
    </message>
    <message>
        <source>Port %1: no such serial port on this computer; Device Manager lists the ports there are under &quot;Ports (COM &amp; LPT)&quot;. Is the cable or the USB adapter plugged in?</source>
        <translation>Port %1: w tym komputerze nie ma takiego portu szeregowego. Dostępne porty wymienia Menedżer urządzeń w gałęzi „Porty (COM i LPT)”. Czy przewód lub adapter USB jest podłączony?</translation>
    </message>
    <message>
        <source>Port %1: permission denied; add the user to the dialout group with %2 and log in again.</source>
        <translation>Port %1: brak uprawnień. Dodaj użytkownika do grupy dialout poleceniem %2 i zaloguj się ponownie.</translation>
    </message>
    <message>
        <source>Port %1 is held by another program: brltty takes CH340 and CP210x adapters; remove it with %2.</source>
        <translation>Port %1 jest zajęty przez inny program: brltty przejmuje adaptery CH340 i CP210x. Usuń go poleceniem %2.</translation>
    </message>
    <message>
        <source>Port %1 is held by another program: ModemManager probes ttyACM devices; stop it with %2.</source>
        <translation>Port %1 jest zajęty przez inny program: ModemManager sprawdza urządzenia ttyACM. Zatrzymaj go poleceniem %2.</translation>
    </message>
    <message>
        <source>Port %1 is held by another program; close the other program that uses it.</source>
        <translation>Port %1 jest zajęty przez inny program. Zamknij program, który go używa.</translation>
    </message>
    <message>
        <source>Port %1: the device is not there. Is the cable or the USB adapter plugged in?</source>
        <translation>Port %1: urządzenie jest niedostępne. Czy przewód lub adapter USB jest podłączony?</translation>
    </message>
    <message>
        <source>Port %1: %2</source>
        <translation>Port %1: %2</translation>
    </message>
    <message>
        <source>This change could not be added to the record of changes. The change itself is as reported; later changes in this run may be missing from the record too.</source>
        <translation>Tej zmiany nie udało się zapisać w rejestrze zmian. Sama zmiana przebiegła tak, jak podano; kolejne zmiany w tej sesji programu również mogą nie trafić do rejestru.</translation>
    </message>
</context>
</TS>
